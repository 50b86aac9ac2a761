// The update as the main window runs it: the trigger at start-up, the update
// window waiting for the bootloader, the sequence on its worker, the wait,
// the cleared log that keeps the window's lines, and the reconnect; and the
// rule that real hardware never gets the image made for the virtual
// programmer.
#include <gtest/gtest.h>

#include <cstring>

#include "FirmwareTestSupport.h"
#include "firmware/FirmwareUpdater.h"
#include "firmware/HeadlessUpdateWindow.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kOldFirmware = {" ", " KARVO Mk2 found", " Old firmware installed. ",
                            " Performing firmware update. "};
const Lines kVersion = {" ", " KARVO Mk2 ", " Firmware Version: 2.3", " Software Version: 2.002"};
const Lines kSuccessWindow = {
    "Device Attached.",
    "Connecting...",
    "Device Ready",
    "Erasing Device... (no status update until complete, may take several seconds)",
    "Erase Complete ( 00:00:01.500s)",
    "",
    "Writing Device...",
    "Write Complete ( 00:00:00.000s)",
    "",
    "Verifying Device...",
    "Verifying Device's Program Memory...",
    "Verify Complete ( 00:00:00.000s)",
    "",
    "Erase/Program/Verify sequence completed successfully.",
    "You may now unplug or reset the device.",
    "Resetting..."};
constexpr const char* kNotDetected =
    "Device not detected.  Verify device is attached and in firmware update mode.";

Lines Concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct FlowRig {
    explicit FlowRig(VirtualSettings settings = {}, HidBackend* usbOverride = nullptr,
                     bool linesStayVisible = false)
        : programmer(std::move(settings), clock),
          usb(programmer),
          windows(clock,
                  {[this](const std::string& line) { window.push_back(line); },
                   [this] { ++windowClears; }, [this](int p) { bar.push_back(p); }},
                  linesStayVisible),
          updater(usbOverride ? *usbOverride : usb, clock, windows, CarriedImage()),
          presenter({log, view, prompts, sounds, store, usbOverride ? *usbOverride : usb, clock,
                     updater, &programmer}) {}

    int Erases() {
        return programmer.WithBootloader([](VirtualBootloader& b) { return b.Erases(); });
    }

    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    Lines window;
    int windowClears = 0;
    std::vector<int> bar;
    HeadlessUpdateWindows windows;
    FirmwareUpdater updater;
    RecordingLog log;
    RecordingView view;
    RecordingPrompts prompts;
    RecordingSounds sounds;
    MemorySettingsStore store;
    MainPresenter presenter;
};

VirtualSettings Firmware(int major, int minor) {
    VirtualSettings settings;
    settings.firmwareMajor = major;
    settings.firmwareMinor = minor;
    return settings;
}

VirtualSettings WithBoot(std::function<void(BootloaderSettings&)> set, int minor = 2) {
    VirtualSettings settings = Firmware(2, minor);
    set(settings.bootloader);
    return settings;
}

class OtherVersions : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(OtherVersions, AreUpdatedThenReconnectedWithTheWindowsLinesKept) {
    FlowRig rig(Firmware(GetParam().first, GetParam().second));
    rig.presenter.StartUp();
    EXPECT_EQ(rig.window, Concat({kNotDetected}, kSuccessWindow));
    EXPECT_EQ(rig.windowClears, 2);
    EXPECT_EQ(rig.log.clears, 1);
    EXPECT_EQ(rig.log.lines, Concat(kSuccessWindow, kVersion)) << "the update stays readable";
    EXPECT_EQ(rig.log.everLogged, Concat(Concat(kOldFirmware, kSuccessWindow), kVersion));
    EXPECT_EQ(rig.presenter.State().AppState, 1);
    EXPECT_FALSE(rig.presenter.FirmwareUpdateFailed());
    // The first poll after a second, the erase, the window's half second and
    // the two seconds for the restart.
    EXPECT_GE(rig.clock.NowMs(), 1000 + 1500 + 500 + 2000);
    EXPECT_EQ(rig.bar.front(), 0);
    EXPECT_EQ(rig.bar.back(), 100);
}

INSTANTIATE_TEST_SUITE_P(OlderAndNewer, OtherVersions,
                         ::testing::Values(std::pair{2, 2}, std::pair{2, 4}, std::pair{1, 9}));

TEST(UpdateFlow, ProgrammerLeftInItsBootloaderIsFoundAndRecovered) {
    FlowRig rig(WithBoot([](auto& b) { b.startInBootloader = true; }));
    rig.presenter.StartUp();
    const Lines found = {" ",
                         " KARVO Mk2 found in its bootloader: an earlier firmware update did not "
                         "finish.",
                         " Performing firmware update. "};
    EXPECT_EQ(rig.log.everLogged, Concat(Concat(found, kSuccessWindow), kVersion));
    EXPECT_EQ(rig.presenter.State().AppState, 1);
    EXPECT_FALSE(rig.presenter.FirmwareUpdateFailed());
}

TEST(UpdateFlow, FailedUpdateKeepsItsLinesAndIsNotRetried) {
    FlowRig rig(WithBoot([](auto& b) {
        b.fault = BootloaderSettings::StageFault{BootStage::Query, false, 0};
    }));
    rig.presenter.StartUp();
    EXPECT_EQ(rig.log.lines,
              (Lines{"Device Attached.", "Connecting...", "Operation timed out", " ",
                     " KARVO Mk2 found in its bootloader: the firmware update did not finish.",
                     " Firmware update failed. Restart the program to try again.",
                     " **** System in KARVO Mk2 DEMO mode  ****"}));
    EXPECT_TRUE(rig.presenter.FirmwareUpdateFailed());
    EXPECT_EQ(rig.presenter.State().AppState, 0);
    const std::size_t windowLines = rig.window.size();
    rig.presenter.Reconnect();
    EXPECT_EQ(rig.window.size(), windowLines) << "one automatic update per run";
    EXPECT_EQ(rig.Erases(), 0);
}

TEST(UpdateFlow, BootloaderThatNeverAppearsEndsTheWaitWithALine) {
    VirtualSettings settings = Firmware(2, 2);
    settings.muted.insert("Prog");
    FlowRig rig(settings);
    rig.presenter.StartUp();
    EXPECT_EQ(rig.window,
              (Lines{kNotDetected,
                     "The programmer's bootloader did not appear within 30 seconds. Unplug the "
                     "programmer, plug it in again and restart the program."}));
    EXPECT_GE(rig.clock.NowMs(), 30 * FirmwareUpdater::kPollMs);
    EXPECT_TRUE(rig.presenter.FirmwareUpdateFailed());
    ASSERT_GE(rig.log.lines.size(), 3u);
    EXPECT_EQ(rig.log.lines[rig.log.lines.size() - 3],
              " Firmware Version: 2.2 after the firmware update.");
}

TEST(UpdateFlow, ResetThatDoesNotRestartTheFirmwareIsAFailure) {
    FlowRig rig(WithBoot([](auto& b) {
        b.fault = BootloaderSettings::StageFault{BootStage::Reset, false, 0};
    }));
    rig.presenter.StartUp();
    EXPECT_TRUE(rig.presenter.FirmwareUpdateFailed());
    EXPECT_EQ(rig.log.lines.back(), " **** System in KARVO Mk2 DEMO mode  ****");
    EXPECT_EQ(rig.log.lines[rig.log.lines.size() - 3],
              " KARVO Mk2 found in its bootloader: the firmware update did not finish.");
}

TEST(UpdateFlow, CableCutAtTheResetIsAFailure) {
    FlowRig rig(WithBoot([](auto& b) {
        b.fault = BootloaderSettings::StageFault{BootStage::Reset, true, 0};
    }));
    rig.presenter.StartUp();
    EXPECT_TRUE(rig.presenter.FirmwareUpdateFailed());
    EXPECT_NE(std::find(rig.log.lines.begin(), rig.log.lines.end(), "Reset Failed."),
              rig.log.lines.end());
    EXPECT_EQ(rig.log.lines[rig.log.lines.size() - 2],
              " The programmer did not come back after the firmware update. Unplug it, plug it in "
              "again and restart the program.");
}

// karvo-cli prints the window's lines as they appear, where nothing clears
// them: the log after the clear does not repeat them.
TEST(UpdateFlow, LinesAlreadyVisibleAreNotCopiedAgain) {
    FlowRig rig(Firmware(2, 2), nullptr, true);
    rig.presenter.StartUp();
    EXPECT_EQ(rig.log.lines, kVersion);
}

TEST(UpdateFlow, UserImageFileUpdatesAProgrammerThatNeedsNone) {
    FlowRig rig;
    rig.presenter.StartUp();
    EXPECT_TRUE(rig.presenter.UpdateFirmwareFromFile(std::string(KARVO_BIN_DIR) +
                                                     "/firmware/karvo-virtual-2.3.hex"));
    EXPECT_EQ(rig.log.lines, Concat(kSuccessWindow, kVersion));
    EXPECT_EQ(rig.Erases(), 1);
    EXPECT_TRUE(rig.updater.Image().storedLines.size() > 100);
    EXPECT_FALSE(rig.updater.Image().hasIntegrity) << "a plain Intel HEX file";
}

TEST(UpdateFlow, UnreadableImageFileIsRefusedWithALine) {
    FlowRig rig;
    rig.presenter.StartUp();
    EXPECT_FALSE(rig.presenter.UpdateFirmwareFromFile("/no/such/file.hex"));
    EXPECT_EQ(rig.log.lines.back(), " Cannot update the firmware: cannot read /no/such/file.hex");
    EXPECT_EQ(rig.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
}

// A USB that is not the virtual programmer, with a programmer on it: its
// normal firmware answers the handshake and reports 2.2; its bootloader may
// be there instead. Every report written to either is kept.
class HardwareUsb final : public HidBackend {
  public:
    bool firmware = true;
    bool bootloader = false;
    std::vector<std::pair<std::string, Report>> written;

    std::vector<HidDeviceInfo> Enumerate() override {
        std::vector<HidDeviceInfo> devices;
        if (firmware) devices.push_back({"hw-firmware", 0x04D8, 0xF4A3, 0x0100});
        if (bootloader) devices.push_back({"hw-bootloader", 0x04D8, 0x003C, 0x0100});
        return devices;
    }
    std::unique_ptr<HidTransport> OpenPath(const std::string& path) override {
        return std::make_unique<Transport>(*this, path);
    }
    bool SentToBootloader() const {
        return std::any_of(written.begin(), written.end(),
                           [](const auto& w) { return w.first == "hw-bootloader"; });
    }
    bool SentText(const char* text) const {
        return std::any_of(written.begin(), written.end(), [&](const auto& w) {
            return std::memcmp(w.second.data() + 1, text, std::strlen(text)) == 0;
        });
    }
    bool SentErase() const {
        return std::any_of(written.begin(), written.end(),
                           [](const auto& w) { return w.second[1] == BootCommand::Erase; });
    }

  private:
    class Transport final : public HidTransport {
      public:
        Transport(HardwareUsb& usb, std::string path) : usb_(usb), path_(std::move(path)) {}
        bool Write(const Report& r) override {
            usb_.written.emplace_back(path_, r);
            const char* answer = nullptr;
            if (std::memcmp(r.data() + 1, "KARVO", 5) == 0) answer = "Here";
            if (r[1] == 'F' && r[2] == 0) answer = "F\x02\x02";
            if (answer != nullptr) {
                Report reply{};
                std::memcpy(reply.data() + 1, answer, std::strlen(answer));
                replies_.push_back(reply);
            }
            return true;
        }
        ReadStatus Read(Report& r, int) override {
            if (replies_.empty()) return ReadStatus::TimedOut;
            r = replies_.front();
            replies_.erase(replies_.begin());
            return ReadStatus::Ok;
        }

      private:
        HardwareUsb& usb_;
        std::string path_;
        std::vector<Report> replies_;
    };
};

TEST(HardwareSafety, OtherFirmwareGetsNoProgAndNoErase) {
    HardwareUsb hardware;
    hardware.bootloader = true;  // even with a bootloader in reach
    FlowRig rig({}, &hardware);
    rig.presenter.StartUp();
    EXPECT_FALSE(hardware.SentText("Prog"));
    EXPECT_FALSE(hardware.SentErase());
    EXPECT_FALSE(hardware.SentToBootloader());
    EXPECT_EQ(rig.log.lines,
              (Lines{" ", " KARVO Mk2 found", " Firmware Version: 2.2",
                     " This build carries no firmware for the KARVO Mk2: its image is made for the "
                     "virtual programmer only.",
                     " To update the programmer from a firmware file, run: karvo-cli firmware FILE "
                     "(or press Ctrl+Shift+U in the main window).",
                     " **** System in KARVO Mk2 DEMO mode  ****"}));
    EXPECT_EQ(rig.presenter.State().AppState, 0);
    rig.presenter.StartFirmwareUpdate();  // the hidden Reprog button
    rig.presenter.Reconnect();
    EXPECT_FALSE(hardware.SentText("Prog"));
    EXPECT_FALSE(hardware.SentToBootloader());
}

TEST(HardwareSafety, BootloaderAloneGetsNothingWrittenAndTheWayToAFile) {
    HardwareUsb hardware;
    hardware.firmware = false;
    hardware.bootloader = true;
    FlowRig rig({}, &hardware);
    rig.presenter.StartUp();
    EXPECT_TRUE(hardware.written.empty());
    ASSERT_EQ(rig.log.lines.size(), 5u);
    EXPECT_EQ(rig.log.lines[1],
              " KARVO Mk2 found in its bootloader: an earlier firmware update did not finish.");
    EXPECT_EQ(rig.log.lines[3].rfind(" To update the programmer from a firmware file", 0), 0u);
}

TEST(HardwareSafety, VirtualOnlyImageFileIsRefusedForHardware) {
    HardwareUsb hardware;
    FlowRig rig({}, &hardware);
    rig.presenter.StartUp();
    const std::string file = std::string(KARVO_BIN_DIR) + "/firmware/karvo-virtual-2.3.kfw";
    EXPECT_FALSE(rig.presenter.UpdateFirmwareFromFile(file));
    EXPECT_EQ(rig.log.lines.back(), " Cannot update the firmware: " + file +
                                        " is made for the virtual programmer only and is never "
                                        "written to a real one");
    EXPECT_FALSE(hardware.SentText("Prog"));
    EXPECT_FALSE(hardware.SentToBootloader());
}

}  // namespace
}  // namespace karvo::test
