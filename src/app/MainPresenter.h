#pragma once
#include <memory>
#include <string>

#include "app/ApplicationState.h"
#include "app/PanelState.h"
#include "buffer/FileDialogPorts.h"
#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"
#include "catalogue/SelectionDialogPort.h"
#include "link/THid.h"
#include "operations/OperationEngine.h"
#include "operations/OperationHost.h"
#include "ports/Clock.h"
#include "ports/FirmwareUpdatePort.h"
#include "ports/LogPort.h"
#include "ports/MainViewPort.h"
#include "ports/PromptPort.h"
#include "ports/SettingsStore.h"
#include "ports/SoundPort.h"
#include "settings/OptionsDialogPort.h"

namespace karvo {

// Everything the main window's logic talks to. The GUI, karvo-cli and the
// tests each supply their own.
struct MainPorts {
    LogPort& log;
    MainViewPort& view;
    PromptPort& prompts;
    SoundPort& sounds;
    SettingsStore& settings;
    HidBackend& usb;
    Clock& clock;
    FirmwareUpdatePort& firmwareUpdate;
};

enum class Sound { Chimes, Error, Notify };

// How a Select command ended: no device activated (cancelled, refused, or a
// damaged record), activated, or activated but its parameter block was not
// confirmed by the programmer.
enum class SelectOutcome { NotSelected, Selected, ParametersRefused };

// The main window's logic: start-up, handshake and version check, Reconnect,
// the firmware-update trigger, the sounds, the toolbar rules and the exit.
class MainPresenter final : public OperationHost {
  public:
    explicit MainPresenter(MainPorts ports);
    ~MainPresenter() override;
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
    void ClearMessages();
    void Exit();

    void LogLine(const std::string& text) override;
    void Play(Sound sound);
    void PlayChimes() override { Play(Sound::Chimes); }
    void PlayError() override { Play(Sound::Error); }
    void PlayNotify() { Play(Sound::Notify); }

    // The ten buttons after Select, all disabled with their hints hidden.
    void DisableOperationButtons();
    // Those ten buttons enabled by the current device's capability bits, and
    // Select with them.
    void ApplyButtonCaps() override;
    void ShowFinishing(int percent) override { panel_.SetFinishing(percent); }
    // Recomputes the buffer's checksum and shows it in CheckL.
    std::uint32_t UpdateChecksum() override;

    // The Select command: the dialog, activation of the chosen device, and,
    // with a programmer, its parameter block, blank fill and button enables.
    SelectOutcome Select(SelectionDialogPort& dialog);
    // The Options command: the dialog over the current device's options.
    void Options(OptionsDialogPort& dialog);
    // The Load and Save commands (FileCommands.cpp): file dialog, format
    // dialog, then the buffer read from or written to the file.
    FileCommandStatus Load(const FileCommandPorts& ui);
    FileCommandStatus Save(const FileCommandPorts& ui);
    FileCommandState& Files() { return files_; }

    ApplicationState& State() { return state_; }
    PanelState& Panel() { return panel_; }
    MemoryBuffer& Buffer() override { return buffer_; }
    const DeviceRecord& Device() const override { return device_; }
    bool DeviceActive() const { return deviceActive_; }
    THid* LinkIfOpen() { return link_.get(); }
    MainPorts& Ports() { return ports_; }

    // OperationHost
    bool ProgrammerConnected() const override { return state_.AppState == 1; }
    bool DeviceFilesPresent() const override { return (state_.DeviceFilesPresent & 0x1F) != 0; }
    void SetAllButtonsEnabled(bool enabled) override;
    THid& Link() override { return *link_; }
    OptionFlags& Options() override { return state_.settings.flags; }
    std::atomic<bool>& RunFlag() override { return state_.RunFlag; }
    std::atomic<std::uint8_t>& ErrorCount() override { return state_.ErrorCount; }
    Clock& Time() override { return ports_.clock; }

  private:
    // True (and said in the log) while an aborted operation's worker still
    // holds the link: nothing else may talk to the programmer then.
    bool LinkBusy();
    void Handshake();
    // Reads the firmware version and logs the version or update lines; runs
    // the update when the version is not the supported one.
    void QueryVersionAndReport();
    void ReportDemonstrationMode();
    void PlaceWindow();
    // The OK of the selection dialog; false when the record could not be read.
    bool ActivateDevice(SelectionModel& model, SelectionDialogPort& dialog);

    MainPorts ports_;
    ApplicationState state_;
    PanelState panel_;
    std::unique_ptr<THid> link_;
    MemoryBuffer buffer_;
    DeviceRecord device_;
    bool deviceActive_ = false;
    std::unique_ptr<OperationEngine> engine_;
    // One automatic update per run: a programmer that still reports another
    // version afterwards is not sent into its bootloader again.
    bool firmwareUpdateTried_ = false;
    FileCommandState files_;
};

}  // namespace karvo
