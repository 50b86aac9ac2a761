#pragma once
#include <memory>
#include <string>

#include "config/ConfigBitsState.h"
#include "operations/OperationEngine.h"
#include "session/Session.h"

namespace karvo {

// The main window's own logic: start-up, handshake and version check,
// Reconnect, the firmware-update trigger, the operation buttons and the exit.
// It owns the session every other command (Select, Load, Save, Options, in
// their subsystems) works on.
class MainPresenter final {
  public:
    explicit MainPresenter(SessionPorts ports);
    ~MainPresenter();
    MainPresenter(const MainPresenter&) = delete;
    MainPresenter& operator=(const MainPresenter&) = delete;

    // The progress window and the way to reach the user-interface thread,
    // which only windows (or the command-line loop) can provide.
    void AttachOperations(UiThreadPort& ui, ProgressWindowFactory& windows);
    // SB_ReadClick: 'B', 'R', 'P', 'V' or 'E'.
    void RunOperation(char opCode);
    OperationEngine* Engine() { return engine_.get(); }

    void StartUp();
    void Reconnect();
    void StartFirmwareUpdate();
    // The update with the user's own image (karvo-cli firmware FILE, the
    // window's hidden action). True when the programmer reports the
    // supported firmware afterwards.
    bool UpdateFirmwareFromFile(const std::string& path);
    // True once an update of this run failed: karvo-cli's exit status.
    bool FirmwareUpdateFailed() const { return firmwareUpdateFailed_; }
    void ClearMessages() { session_.ClearLog(); }
    void Exit();

    karvo::Session& Session() { return session_; }
    // The configuration values of the families other than 'C', kept for
    // the whole run.
    ConfigBitsState& ConfigBits() { return configBits_; }
    // Shorthands for what the window and the tests read most.
    ApplicationState& State() { return session_.State(); }
    PanelState& Panel() { return session_.Panel(); }
    MemoryBuffer& Buffer() { return session_.Buffer(); }
    const DeviceRecord& Device() const { return session_.Device(); }
    bool DeviceActive() const { return session_.DeviceActive(); }
    THid* LinkIfOpen() { return session_.LinkIfOpen(); }
    THid& Link() { return session_.Link(); }
    void LogLine(const std::string& text) { session_.LogLine(text); }

  private:
    void Handshake();
    // Reads the firmware version and logs the version or update lines; runs
    // the update when the version is not the supported one.
    void QueryVersionAndReport();
    void ReportDemonstrationMode();
    // No normal firmware answered: the demonstration mode, unless the
    // programmer waits in its bootloader, which the update can still reach.
    void ReportNoProgrammer();
    bool BootloaderPresent();
    // "Prog" when the normal firmware is connected, the update window, the
    // wait, the cleared log with the window's lines, and Reconnect.
    bool RunFirmwareUpdate();
    void PlaceWindow();

    karvo::Session session_;
    ConfigBitsState configBits_;
    std::unique_ptr<OperationEngine> engine_;
    // One automatic update per run: a programmer that still reports another
    // version afterwards is not sent into its bootloader again.
    bool firmwareUpdateTried_ = false;
    bool firmwareUpdateFailed_ = false;
    // While the reconnect right after an update runs.
    bool reconnectingAfterUpdate_ = false;
};

}  // namespace karvo
