#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "buffer/FileDialogPorts.h"
#include "buffer/MemoryBuffer.h"
#include "catalogue/ChipSocketPort.h"
#include "catalogue/DeviceRecord.h"
#include "link/THid.h"
#include "ports/Clock.h"
#include "ports/FirmwareUpdatePort.h"
#include "ports/LogPort.h"
#include "ports/MainViewPort.h"
#include "ports/PromptPort.h"
#include "ports/SettingsStore.h"
#include "ports/SoundPort.h"
#include "session/ApplicationState.h"
#include "session/PanelState.h"

namespace karvo {

// Everything the program talks to. The GUI, karvo-cli and the tests each
// supply their own.
struct SessionPorts {
    LogPort& log;
    MainViewPort& view;
    PromptPort& prompts;
    SoundPort& sounds;
    SettingsStore& settings;
    HidBackend& usb;
    Clock& clock;
    FirmwareUpdatePort& firmwareUpdate;
    // Told which chip the user selected; only the virtual programmer has one.
    ChipSocketPort* socket = nullptr;
};

enum class Sound { Chimes, Error, Notify };

// Whoever may still hold the link after its command returned: the worker of
// an aborted operation.
class LinkGuard {
  public:
    virtual ~LinkGuard() = default;
    virtual bool Busy() = 0;
};

// What every command of the main window works on: the application state, the
// information panel and toolbar, the buffer, the active device, the link and
// the ports, with the few helpers all of them share. One per run; the main
// presenter owns it, and each command (Select, Load, Save, Options, the
// operations ...) is a class of its own subsystem over it.
class Session {
  public:
    explicit Session(SessionPorts ports);

    SessionPorts& Ports() { return ports_; }
    ApplicationState& State() { return state_; }
    PanelState& Panel() { return panel_; }
    MemoryBuffer& Buffer() { return buffer_; }
    FileCommandState& Files() { return files_; }
    Clock& Time() { return ports_.clock; }

    const DeviceRecord& Device() const { return device_; }
    bool DeviceActive() const { return deviceActive_; }
    // Makes the record the current device and sizes the buffer for it.
    void Activate(const DeviceRecord& record);

    // The link of the last handshake; null before the first.
    THid* LinkIfOpen() { return link_.get(); }
    THid& Link() { return *link_; }
    void ReplaceLink(std::unique_ptr<THid> link) { link_ = std::move(link); }
    void ReleaseLink() { link_.reset(); }
    void SetLinkGuard(LinkGuard* guard) { guard_ = guard; }
    // True (and said in the log) while an aborted operation's worker still
    // holds the link: nothing else may talk to the programmer then.
    bool LinkBusy();

    bool ProgrammerConnected() const { return state_.AppState == 1; }
    bool DeviceFilesPresent() const { return (state_.DeviceFilesPresent & 0x1F) != 0; }
    OptionFlags& Options() { return state_.settings.flags; }

    void LogLine(const std::string& text) { ports_.log.AppendLine(text); }
    void ClearLog() { ports_.log.Clear(); }
    void ShowError(const std::string& caption, const std::string& text) {
        ports_.prompts.ShowMessage(BoxKind::Error, caption, text);
    }
    void Play(Sound sound);
    void PlayChimes() { Play(Sound::Chimes); }
    void PlayError() { Play(Sound::Error); }
    void PlayNotify() { Play(Sound::Notify); }

    // The ten buttons after Select, all disabled with their hints hidden.
    void DisableOperationButtons();
    // Those ten buttons enabled by the current device's capability bits, and
    // Select with them.
    void ApplyButtonCaps();
    // All eleven on or off.
    void SetAllButtonsEnabled(bool enabled);
    // While an aborted operation is being finished: how far it is (0..100),
    // or -1 once it is done.
    void ShowFinishing(int percent) { panel_.SetFinishing(percent); }
    // Recomputes the buffer's checksum and shows it in CheckL.
    std::uint32_t UpdateChecksum();

  private:
    SessionPorts ports_;
    ApplicationState state_;
    PanelState panel_;
    std::unique_ptr<THid> link_;
    MemoryBuffer buffer_;
    DeviceRecord device_;
    bool deviceActive_ = false;
    FileCommandState files_;
    LinkGuard* guard_ = nullptr;
};

}  // namespace karvo
