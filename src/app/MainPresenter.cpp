#include "app/MainPresenter.h"

#include <filesystem>

#include <fmt/format.h>

#include "app/ProgramDirectory.h"
#include "settings/PersistedSettings.h"

namespace karvo {

namespace {
constexpr const char* kVendorText = "Vid_04d8";
constexpr const char* kProductText = "Pid_F4A3";

bool FileExists(const char* name) {
    std::error_code ec;
    return std::filesystem::is_regular_file(name, ec);
}
}  // namespace

MainPresenter::MainPresenter(MainPorts ports) : ports_(ports), panel_(ports.view) {}

MainPresenter::~MainPresenter() {
    // The worker uses the link and the buffer; both must outlive it.
    engine_.reset();
}

void MainPresenter::AttachOperations(UiThreadPort& ui, ProgressWindowFactory& windows) {
    engine_ = std::make_unique<OperationEngine>(*this, ui, windows);
}

void MainPresenter::RunOperation(char opCode) {
    if (engine_ && deviceActive_) engine_->Run(opCode);
}

bool MainPresenter::LinkBusy() {
    if (!engine_ || !engine_->Busy()) return false;
    LogLine(" The programmer is still finishing the aborted operation; try again shortly");
    return true;
}

void MainPresenter::SetAllButtonsEnabled(bool enabled) {
    for (int i = 0; i < kToolButtonCount; ++i)
        panel_.SetEnabled(static_cast<ToolButton>(i), enabled);
}

void MainPresenter::LogLine(const std::string& text) {
    ports_.log.AppendLine(text);
}

void MainPresenter::ClearMessages() {
    ports_.log.Clear();
}

void MainPresenter::Handshake() {
    state_.found = false;
    state_.AppState = 0;
    link_ = std::make_unique<THid>(ports_.usb);
    if (link_->Open(kVendorText, kProductText)) {
        link_->SendHello();
        if (link_->ReceiveText4() == "Here") state_.found = true;
    }
    ports_.clock.SleepMs(10);
    if (state_.found) state_.AppState = 1;
}

void MainPresenter::ReportDemonstrationMode() {
    LogLine(" ");
    LogLine(" **** NO PROGRAMMER FOUND ****");
    LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
}

void MainPresenter::QueryVersionAndReport() {
    const std::uint64_t failedBefore = link_->FailedTransfers();
    link_->SendText("F");
    const std::string reply = link_->ReceiveText4();
    if (link_->FailedTransfers() != failedBefore) {
        // It said hello but not its version: something is wrong with it, and
        // guessing a version could send a healthy programmer into an update.
        state_.AppState = 0;
        LogLine(" ");
        LogLine(" KARVO Mk2 found");
        LogLine(" No answer to the firmware version query. Check the USB cable, then Reconnect.");
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    state_.FirmwareMajor = static_cast<std::int8_t>(reply[1]);
    state_.FirmwareMinor = static_cast<std::int8_t>(reply[2]);
    const std::string firmware = fmt::format("{}.{}", state_.FirmwareMajor, state_.FirmwareMinor);
    if (state_.FirmwareMajor == kSupportedFirmwareMajor &&
        state_.FirmwareMinor == kSupportedFirmwareMinor) {
        LogLine(" ");
        LogLine(" KARVO Mk2 ");
        LogLine(" Firmware Version: " + firmware);
        LogLine(fmt::format(" Software Version: {}", state_.SoftwareVersion / 1000.0));
        return;
    }
    if (firmwareUpdateTried_) {
        state_.AppState = 0;
        LogLine(" ");
        LogLine(" KARVO Mk2 found");
        LogLine(" Firmware Version: " + firmware + " after the firmware update.");
        LogLine(" Firmware update failed. Restart the program to try again.");
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    if (!ports_.firmwareUpdate.Available()) {
        // "Prog" would leave the programmer in its bootloader with nothing
        // here to write it: every later start would find no programmer.
        state_.AppState = 0;
        LogLine(" ");
        LogLine(" KARVO Mk2 found");
        LogLine(" Firmware Version: " + firmware);
        LogLine(
            fmt::format(" This program works with firmware {}.{} and cannot update the "
                        "programmer; it is left as it is.",
                        kSupportedFirmwareMajor, kSupportedFirmwareMinor));
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    LogLine(" ");
    LogLine(" KARVO Mk2 found");
    LogLine(" Old firmware installed. ");
    LogLine(" Performing firmware update. ");
    StartFirmwareUpdate();
}

void MainPresenter::PlaceWindow() {
    const ScreenSize screen = ports_.view.Screen();
    if (screen.height < 600 || screen.width < 800) {
        ports_.prompts.ShowMessage(BoxKind::Information, "Program Resolution",
                                   "Program best viewed at 800x600 or higher resolution");
    }
    const bool small = screen.height < 768 || screen.width < 1024;
    ports_.view.Place(small ? WindowPlacement::TopLeft : WindowPlacement::Centred);
}

void MainPresenter::StartUp() {
    Handshake();
    for (int i = 0; i < kPanelLabelCount; ++i) panel_.SetLabel(static_cast<PanelLabel>(i), "");
    panel_.SetLabel(PanelLabel::AdapL, " ");

    state_.SoftwareVersion = kSoftwareVersion;
    state_.settings.flags = OptionFlags{};
    state_.settings.flags.ProgBits = 0;
    state_.FirmwareMajor = state_.FirmwareMinor = 0;
    state_.settings.SoundON = true;

    state_.StartDir = CurrentDirectory();
    PersistedSettings settings(ports_.settings, ports_.prompts);
    settings.WriteDefaultSettings(state_.settings, state_.StartDir);
    settings.LoadSettings(state_.settings, state_.StartDir);

    PlaceWindow();

    state_.DeviceFilesPresent = 0;
    if (FileExists(kEpromFileName)) state_.DeviceFilesPresent |= kEpromFileBit;
    if (FileExists(kMicroFileName)) state_.DeviceFilesPresent |= kMicroFileBit;

    panel_.SetEnabled(ToolButton::SB_Select, true);
    DisableOperationButtons();
    buffer_.AllocateForStartup();
    state_.RunFlag = true;

    if (state_.AppState == 1) {
        QueryVersionAndReport();
    } else {
        ReportDemonstrationMode();
    }
}

void MainPresenter::Reconnect() {
    if (LinkBusy()) return;
    Handshake();
    state_.FirmwareMajor = state_.FirmwareMinor = 0;
    if (state_.AppState == 1) {
        state_.RunFlag = true;
        QueryVersionAndReport();
    } else {
        ReportDemonstrationMode();
    }
    DisableOperationButtons();
}

void MainPresenter::StartFirmwareUpdate() {
    if (!ports_.firmwareUpdate.Available()) return;
    firmwareUpdateTried_ = true;
    link_->SendText("Prog");
    ports_.firmwareUpdate.RunUpdate();
    ports_.clock.SleepMs(2000);
    ClearMessages();
    Reconnect();
}

void MainPresenter::DisableOperationButtons() {
    for (int i = 1; i < kToolButtonCount; ++i) panel_.SetEnabled(static_cast<ToolButton>(i), false);
}

void MainPresenter::ApplyButtonCaps() {
    const std::uint16_t caps =
        static_cast<std::uint16_t>(device_.ButtonCaps() | (device_.ButtonCaps2() << 8));
    // Bit of each button after Select in ButtonCaps (low byte) and ButtonCaps2 (high byte).
    constexpr std::pair<ToolButton, int> kBits[] = {
        {ToolButton::SB_Load, 0},   {ToolButton::SB_Save, 1},   {ToolButton::SB_Edit, 2},
        {ToolButton::SB_Config, 3}, {ToolButton::SB_Blank, 4},  {ToolButton::SB_Read, 5},
        {ToolButton::SB_Prog, 6},   {ToolButton::SB_Verify, 7}, {ToolButton::SB_Erase, 8},
        {ToolButton::SB_Option, 10}};
    for (const auto& [button, bit] : kBits) panel_.SetEnabled(button, (caps >> bit) & 1);
    panel_.SetEnabled(ToolButton::SB_Select, true);
}

std::uint32_t MainPresenter::UpdateChecksum() {
    const std::uint32_t total = buffer_.ComputeChecksum(device_);
    panel_.SetLabel(PanelLabel::CheckL, fmt::format("{:04X}", total & 0xFFFF));
    return total;
}

void MainPresenter::Play(Sound sound) {
    if (!state_.settings.SoundON) return;
    MakeCurrentDirectory(state_.StartDir);
    const char* file = sound == Sound::Chimes  ? "chimes.wav"
                       : sound == Sound::Error ? "error.wav"
                                               : "notify.wav";
    // No output device or no file: stay quiet for the rest of the run (and,
    // through the saved setting, afterwards) rather than fail every time.
    if (ports_.sounds.Play(file) == SoundResult::DeviceError) state_.settings.SoundON = false;
}

void MainPresenter::Exit() {
    if (engine_) engine_->WaitForWorker();
    link_.reset();
    PersistedSettings settings(ports_.settings, ports_.prompts);
    settings.SaveSettings(state_.settings);
}

}  // namespace karvo
