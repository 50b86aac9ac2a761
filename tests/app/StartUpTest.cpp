#include <gtest/gtest.h>

#include <fmt/format.h>

#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kVersionLines = {" ", " KARVO Mk2 ", " Firmware Version: 2.3",
                             " Software Version: 2.002"};
const Lines kDemoLines = {" ", " **** NO PROGRAMMER FOUND ****",
                          " **** System in KARVO Mk2 DEMO mode  ****"};
const Lines kOldFirmwareLines = {" ", " KARVO Mk2 found", " Old firmware installed. ",
                                 " Performing firmware update. "};

Lines Concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(StartUp, SupportedFirmwareLogsVersionAndConnects) {
    Rig rig;
    rig.presenter.StartUp();
    EXPECT_EQ(rig.log.lines, kVersionLines);
    EXPECT_EQ(rig.presenter.State().AppState, 1);
    EXPECT_EQ(rig.presenter.State().FirmwareMajor, 2);
    EXPECT_EQ(rig.presenter.State().FirmwareMinor, 3);
    EXPECT_EQ(rig.update.runs, 0);
    EXPECT_EQ(EnabledButtons(rig.presenter.Panel()), "SB_Select");
    EXPECT_EQ(rig.presenter.Panel().Label(PanelLabel::AdapL), " ");
    EXPECT_EQ(rig.presenter.Panel().Label(PanelLabel::ManuL), "");
    EXPECT_TRUE(rig.prompts.boxes.empty()) << "a first run is quiet";
}

TEST(StartUp, NoProgrammerIsDemonstrationMode) {
    Rig rig;
    rig.programmer.Unplug();
    rig.presenter.StartUp();
    EXPECT_EQ(rig.log.lines, kDemoLines);
    EXPECT_EQ(rig.presenter.State().AppState, 0);
    EXPECT_EQ(EnabledButtons(rig.presenter.Panel()), "SB_Select");
}

TEST(StartUp, WrongHelloIsTreatedLikeNoProgrammer) {
    VirtualSettings settings;
    settings.hello = "Nope";
    Rig rig(settings);
    rig.presenter.StartUp();
    EXPECT_EQ(rig.log.lines, kDemoLines);
    EXPECT_EQ(rig.presenter.State().AppState, 0);
}

TEST(StartUp, HandshakeWaitsTenMilliseconds) {
    Rig rig;
    rig.presenter.StartUp();
    EXPECT_EQ(rig.clock.NowMs(), 10);
}

class OtherFirmware : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(OtherFirmware, RunsTheUpdateThenReconnectsFromScratch) {
    VirtualSettings settings;
    settings.firmwareMajor = GetParam().first;
    settings.firmwareMinor = GetParam().second;
    Rig rig(settings);
    rig.update.during = [&] {
        EXPECT_EQ(rig.programmer.CurrentMode(), VirtualProgrammer::Mode::Bootloader);
        EXPECT_EQ(rig.log.lines, kOldFirmwareLines);
    };
    rig.presenter.StartUp();
    EXPECT_EQ(rig.update.runs, 1);
    EXPECT_EQ(rig.log.clears, 1);
    // The programmer still sits in its bootloader (this update wrote
    // nothing): the reconnect finds it there and says the update failed.
    const Lines stillInBootloader = {
        " ", " KARVO Mk2 found in its bootloader: the firmware update did not finish.",
        " Firmware update failed. Restart the program to try again.",
        " **** System in KARVO Mk2 DEMO mode  ****"};
    EXPECT_EQ(rig.log.lines, stillInBootloader);
    EXPECT_EQ(rig.log.everLogged, Concat(kOldFirmwareLines, stillInBootloader));
    EXPECT_TRUE(rig.presenter.FirmwareUpdateFailed());
    EXPECT_GE(rig.clock.NowMs(), 2000);
}

// Without an update this build can carry out, the programmer is never sent
// into its bootloader: it would be stranded there.
TEST_P(OtherFirmware, WithoutAnUpdateStaysInDemonstrationModeAndKeepsTheProgrammer) {
    VirtualSettings settings;
    settings.firmwareMajor = GetParam().first;
    settings.firmwareMinor = GetParam().second;
    Rig rig(settings);
    rig.update.available = false;
    rig.presenter.StartUp();
    rig.presenter.StartFirmwareUpdate();  // the hidden Reprog button
    EXPECT_EQ(rig.update.runs, 0);
    EXPECT_EQ(rig.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
    EXPECT_EQ(rig.presenter.State().AppState, 0);
    EXPECT_EQ(rig.log.lines,
              (Lines{" ", " KARVO Mk2 found",
                     fmt::format(" Firmware Version: {}.{}", GetParam().first, GetParam().second),
                     " This program works with firmware 2.3 and cannot update the programmer; it "
                     "is left as it is.",
                     " **** System in KARVO Mk2 DEMO mode  ****"}));
    rig.presenter.Reconnect();
    EXPECT_EQ(rig.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware)
        << "a later start still finds it";
}

INSTANTIATE_TEST_SUITE_P(OlderAndNewer, OtherFirmware,
                         ::testing::Values(std::pair{2, 4}, std::pair{2, 2}, std::pair{1, 9}));

TEST(StartUp, SuccessfulUpdateEndsConnected) {
    VirtualSettings settings;
    settings.firmwareMinor = 2;
    Rig rig(settings);
    rig.update.during = [&] { rig.programmer.RestartFirmware(2, 3); };
    rig.presenter.StartUp();
    EXPECT_EQ(rig.log.lines, kVersionLines);
    EXPECT_EQ(rig.presenter.State().AppState, 1);
}

TEST(StartUp, UpdateThatDidNotTakeIsNotRetriedInTheSameRun) {
    VirtualSettings settings;
    settings.firmwareMinor = 4;
    Rig rig(settings);
    rig.update.during = [&] { rig.programmer.RestartFirmware(2, 4); };
    rig.presenter.StartUp();
    EXPECT_EQ(rig.update.runs, 1);
    EXPECT_EQ(rig.presenter.State().AppState, 0);
    EXPECT_EQ(rig.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
    ASSERT_FALSE(rig.log.lines.empty());
    EXPECT_EQ(rig.log.lines.back(), " **** System in KARVO Mk2 DEMO mode  ****");
    rig.presenter.Reconnect();
    EXPECT_EQ(rig.update.runs, 1) << "Reconnect must not start a second update";
    EXPECT_EQ(rig.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
}

TEST(StartUp, SilentVersionQueryDoesNotHangOrUpdate) {
    VirtualSettings settings;
    settings.muted.insert("F");
    Rig rig(settings);
    rig.presenter.StartUp();
    EXPECT_EQ(rig.update.runs, 0);
    EXPECT_EQ(rig.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
    EXPECT_EQ(rig.presenter.State().AppState, 0);
    ASSERT_EQ(rig.log.lines.size(), 4u);
    EXPECT_EQ(rig.log.lines[1], " KARVO Mk2 found");
    EXPECT_EQ(rig.log.lines[3], " **** System in KARVO Mk2 DEMO mode  ****");
    EXPECT_GE(rig.clock.NowMs(), THid::kReadTimeoutMs);
}

TEST(Reconnect, AddsLinesWithoutClearingAndDisablesOperations) {
    Rig rig;
    rig.presenter.StartUp();
    rig.presenter.Panel().SetEnabled(ToolButton::SB_Read, true);
    rig.presenter.Panel().SetLabel(PanelLabel::DevL, "27C256");
    rig.presenter.Reconnect();
    EXPECT_EQ(rig.log.lines, Concat(kVersionLines, kVersionLines));
    EXPECT_EQ(rig.log.clears, 0);
    EXPECT_EQ(EnabledButtons(rig.presenter.Panel()), "SB_Select");
    EXPECT_EQ(rig.presenter.Panel().Label(PanelLabel::DevL), "27C256");
}

TEST(Reconnect, NoticesAProgrammerThatWentAway) {
    Rig rig;
    rig.presenter.StartUp();
    rig.programmer.Unplug();
    rig.presenter.Reconnect();
    EXPECT_EQ(rig.presenter.State().AppState, 0);
    EXPECT_EQ(rig.log.lines, Concat(kVersionLines, kDemoLines));
}

TEST(Placement, FollowsTheScreenSize) {
    struct Case {
        ScreenSize screen;
        bool box;
        WindowPlacement placement;
    };
    for (const Case& c : {Case{{1024, 700}, false, WindowPlacement::TopLeft},
                          Case{{800, 600}, false, WindowPlacement::TopLeft},
                          Case{{640, 480}, true, WindowPlacement::TopLeft},
                          Case{{1024, 768}, false, WindowPlacement::Centred}}) {
        Rig rig;
        rig.view.screen = c.screen;
        rig.presenter.StartUp();
        ASSERT_EQ(rig.view.placements.size(), 1u);
        EXPECT_EQ(rig.view.placements[0], c.placement) << c.screen.width;
        EXPECT_EQ(rig.prompts.boxes.size(), c.box ? 1u : 0u) << c.screen.width;
        if (c.box) {
            EXPECT_EQ(rig.prompts.boxes[0].caption, "Program Resolution");
            EXPECT_EQ(rig.prompts.boxes[0].text,
                      "Program best viewed at 800x600 or higher resolution");
        }
    }
}

TEST(Sounds, DeviceErrorSwitchesEverySoundOffForTheRun) {
    Rig rig;
    rig.presenter.StartUp();
    rig.sounds.deviceBroken = true;
    rig.presenter.Session().PlayChimes();
    EXPECT_FALSE(rig.presenter.State().settings.SoundON);
    rig.presenter.Session().PlayError();
    rig.presenter.Session().PlayNotify();
    EXPECT_EQ(rig.sounds.played, std::vector<std::string>{"chimes.wav"});
}

TEST(Sounds, EachSoundPlaysItsFile) {
    Rig rig;
    rig.presenter.StartUp();
    rig.presenter.Session().PlayChimes();
    rig.presenter.Session().PlayError();
    rig.presenter.Session().PlayNotify();
    EXPECT_EQ(rig.sounds.played,
              (std::vector<std::string>{"chimes.wav", "error.wav", "notify.wav"}));
}

TEST(Exit, SavesSettingsAndSoundOffSurvivesARestart) {
    Rig rig;
    rig.presenter.StartUp();
    rig.presenter.State().settings.SoundON = false;
    rig.presenter.Exit();

    MainPresenter second(
        {rig.log, rig.view, rig.prompts, rig.sounds, rig.store, rig.usb, rig.clock, rig.update});
    second.StartUp();
    EXPECT_FALSE(second.State().settings.SoundON);
    second.Session().PlayChimes();
    EXPECT_TRUE(rig.sounds.played.empty());
}

}  // namespace
}  // namespace karvo::test
