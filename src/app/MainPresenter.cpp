#include "app/MainPresenter.h"

#include <filesystem>

#include <fmt/format.h>

#include "session/ProgramDirectory.h"
#include "settings/PersistedSettings.h"

namespace karvo {

namespace {
constexpr const char* kVendorText = "Vid_04d8";
constexpr const char* kProductText = "Pid_F4A3";
constexpr const char* kBootloaderProductText = "Pid_003C";
constexpr int kRestartWaitMs = 2000;

bool FileExists(const char* name) {
    std::error_code ec;
    return std::filesystem::is_regular_file(name, ec);
}
}  // namespace

MainPresenter::MainPresenter(SessionPorts ports) : session_(ports) {}

MainPresenter::~MainPresenter() {
    // The worker uses the link and the buffer; both must outlive it.
    session_.SetLinkGuard(nullptr);
    engine_.reset();
}

void MainPresenter::AttachOperations(UiThreadPort& ui, ProgressWindowFactory& windows) {
    engine_ = std::make_unique<OperationEngine>(session_, ui, windows);
    session_.SetLinkGuard(engine_.get());
}

void MainPresenter::RunOperation(char opCode) {
    if (engine_ && session_.DeviceActive()) engine_->Run(opCode);
}

void MainPresenter::Handshake() {
    ApplicationState& state = session_.State();
    state.found = false;
    state.AppState = 0;
    session_.ReplaceLink(std::make_unique<THid>(session_.Ports().usb));
    THid& link = session_.Link();
    if (link.Open(kVendorText, kProductText)) {
        link.SendHello();
        if (link.ReceiveText4() == "Here") state.found = true;
    }
    session_.Time().SleepMs(10);
    if (state.found) state.AppState = 1;
}

void MainPresenter::ReportDemonstrationMode() {
    LogLine(" ");
    LogLine(" **** NO PROGRAMMER FOUND ****");
    LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
}

bool MainPresenter::BootloaderPresent() {
    for (const HidDeviceInfo& info : session_.Ports().usb.Enumerate()) {
        if (HardwareIdMatches(HardwareId(info), kVendorText, kBootloaderProductText)) return true;
    }
    return false;
}

void MainPresenter::ReportNoProgrammer() {
    if (!BootloaderPresent()) {
        if (!reconnectingAfterUpdate_) {
            ReportDemonstrationMode();
            return;
        }
        firmwareUpdateFailed_ = true;
        LogLine(" ");
        LogLine(" **** NO PROGRAMMER FOUND ****");
        LogLine(
            " The programmer did not come back after the firmware update. Unplug it, plug it in "
            "again and restart the program.");
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    // A cut cable or a failed update leaves the programmer in its bootloader,
    // where only the update can bring it back.
    LogLine(" ");
    if (firmwareUpdateTried_) {
        firmwareUpdateFailed_ = true;
        LogLine(" KARVO Mk2 found in its bootloader: the firmware update did not finish.");
        LogLine(" Firmware update failed. Restart the program to try again.");
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    LogLine(" KARVO Mk2 found in its bootloader: an earlier firmware update did not finish.");
    FirmwareUpdatePort& update = session_.Ports().firmwareUpdate;
    if (!update.Available()) {
        for (const std::string& line : update.WhyUnavailable()) LogLine(line);
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    LogLine(" Performing firmware update. ");
    StartFirmwareUpdate();
}

void MainPresenter::QueryVersionAndReport() {
    ApplicationState& state = session_.State();
    THid& link = session_.Link();
    const std::uint64_t failedBefore = link.FailedTransfers();
    link.SendText("F");
    const std::string reply = link.ReceiveText4();
    if (link.FailedTransfers() != failedBefore) {
        // It said hello but not its version: something is wrong with it, and
        // guessing a version could send a healthy programmer into an update.
        state.AppState = 0;
        LogLine(" ");
        LogLine(" KARVO Mk2 found");
        LogLine(" No answer to the firmware version query. Check the USB cable, then Reconnect.");
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    state.FirmwareMajor = static_cast<std::int8_t>(reply[1]);
    state.FirmwareMinor = static_cast<std::int8_t>(reply[2]);
    const std::string firmware = fmt::format("{}.{}", state.FirmwareMajor, state.FirmwareMinor);
    if (state.FirmwareMajor == kSupportedFirmwareMajor &&
        state.FirmwareMinor == kSupportedFirmwareMinor) {
        LogLine(" ");
        LogLine(" KARVO Mk2 ");
        LogLine(" Firmware Version: " + firmware);
        LogLine(fmt::format(" Software Version: {}", state.SoftwareVersion / 1000.0));
        return;
    }
    if (firmwareUpdateTried_) {
        firmwareUpdateFailed_ = true;
        state.AppState = 0;
        LogLine(" ");
        LogLine(" KARVO Mk2 found");
        LogLine(" Firmware Version: " + firmware + " after the firmware update.");
        LogLine(" Firmware update failed. Restart the program to try again.");
        LogLine(" **** System in KARVO Mk2 DEMO mode  ****");
        return;
    }
    if (!session_.Ports().firmwareUpdate.Available()) {
        // "Prog" would leave the programmer in its bootloader with nothing
        // here to write it: every later start would find no programmer.
        state.AppState = 0;
        LogLine(" ");
        LogLine(" KARVO Mk2 found");
        LogLine(" Firmware Version: " + firmware);
        const std::vector<std::string> why = session_.Ports().firmwareUpdate.WhyUnavailable();
        if (why.empty()) {
            LogLine(
                fmt::format(" This program works with firmware {}.{} and cannot update the "
                            "programmer; it is left as it is.",
                            kSupportedFirmwareMajor, kSupportedFirmwareMinor));
        }
        for (const std::string& line : why) LogLine(line);
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
    MainViewPort& view = session_.Ports().view;
    const ScreenSize screen = view.Screen();
    if (screen.height < 600 || screen.width < 800) {
        session_.Ports().prompts.ShowMessage(BoxKind::Information, "Program Resolution",
                                             "Program best viewed at 800x600 or higher resolution");
    }
    const bool small = screen.height < 768 || screen.width < 1024;
    view.Place(small ? WindowPlacement::TopLeft : WindowPlacement::Centred);
}

void MainPresenter::StartUp() {
    Handshake();
    PanelState& panel = session_.Panel();
    for (int i = 0; i < kPanelLabelCount; ++i) panel.SetLabel(static_cast<PanelLabel>(i), "");
    panel.SetLabel(PanelLabel::AdapL, " ");

    ApplicationState& state = session_.State();
    state.SoftwareVersion = kSoftwareVersion;
    state.settings.flags = OptionFlags{};
    state.settings.flags.ProgBits = 0;
    state.FirmwareMajor = state.FirmwareMinor = 0;
    state.settings.SoundON = true;

    state.StartDir = CurrentDirectory();
    PersistedSettings settings(session_.Ports().settings, session_.Ports().prompts);
    settings.WriteDefaultSettings(state.settings, state.StartDir);
    settings.LoadSettings(state.settings, state.StartDir);

    PlaceWindow();

    state.DeviceFilesPresent = 0;
    if (FileExists(kEpromFileName)) state.DeviceFilesPresent |= kEpromFileBit;
    if (FileExists(kMicroFileName)) state.DeviceFilesPresent |= kMicroFileBit;

    panel.SetEnabled(ToolButton::SB_Select, true);
    session_.DisableOperationButtons();
    session_.Buffer().AllocateForStartup();
    state.RunFlag = true;

    if (state.AppState == 1) {
        QueryVersionAndReport();
    } else {
        ReportNoProgrammer();
    }
}

void MainPresenter::Reconnect() {
    if (session_.LinkBusy()) return;
    Handshake();
    ApplicationState& state = session_.State();
    state.FirmwareMajor = state.FirmwareMinor = 0;
    if (state.AppState == 1) {
        state.RunFlag = true;
        QueryVersionAndReport();
    } else {
        ReportNoProgrammer();
    }
    session_.DisableOperationButtons();
}

void MainPresenter::StartFirmwareUpdate() {
    if (!session_.Ports().firmwareUpdate.Available()) return;
    RunFirmwareUpdate();
}

bool MainPresenter::RunFirmwareUpdate() {
    FirmwareUpdatePort& update = session_.Ports().firmwareUpdate;
    firmwareUpdateTried_ = true;
    THid* link = session_.LinkIfOpen();
    // A programmer found only in its bootloader needs no "Prog".
    if (session_.State().AppState == 1 && link != nullptr && link->IsOpen()) {
        link->SendText("Prog");
    }
    const FirmwareUpdateOutcome outcome = update.RunUpdate();
    if (!outcome.succeeded) firmwareUpdateFailed_ = true;
    update.WaitAfterUpdate(session_.Time(), kRestartWaitMs);
    ClearMessages();
    // The window's lines stay readable: they say why an update failed.
    for (const std::string& line : outcome.transcript) LogLine(line);
    reconnectingAfterUpdate_ = true;
    Reconnect();
    reconnectingAfterUpdate_ = false;
    return outcome.succeeded && session_.State().AppState == 1;
}

bool MainPresenter::UpdateFirmwareFromFile(const std::string& path) {
    if (session_.LinkBusy()) return false;
    FirmwareUpdatePort& update = session_.Ports().firmwareUpdate;
    const std::string refused = update.UseImageFile(path);
    if (!refused.empty()) {
        LogLine(" Cannot update the firmware: " + refused);
        return false;
    }
    if (session_.State().AppState != 1 && !BootloaderPresent()) {
        LogLine(" No programmer found: connect the KARVO Mk2, then try again.");
        return false;
    }
    if (!update.Available()) {
        for (const std::string& line : update.WhyUnavailable()) LogLine(line);
        return false;
    }
    LogLine(" ");
    LogLine(" Performing firmware update from " + path);
    return RunFirmwareUpdate();
}

void MainPresenter::Exit() {
    if (engine_) engine_->WaitForWorker();
    session_.ReleaseLink();
    PersistedSettings settings(session_.Ports().settings, session_.Ports().prompts);
    settings.SaveSettings(session_.State().settings);
}

}  // namespace karvo
