#include <gtest/gtest.h>

#include <fmt/format.h>

#include "operations/HeadlessProgress.h"
#include "support/CatalogueFixture.h"
#include "support/GatedClock.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

DeviceRecord Eprom(const char* name, std::uint32_t lastAddr, std::uint8_t algorithm) {
    DeviceBuilder b('E', lastAddr, name);
    b.Algorithm(algorithm).Caps(0xFF, 0x05);
    b.record.SetFloat(DeviceRecord::kVcc, 5.0f);
    return b;
}

// A programmer, a 27C256 (UV EPROM) and a 28C256 (EEPROM) in the catalogue,
// and karvo's engine driven without windows.
struct OperationRig {
    explicit OperationRig(VirtualSettings settings = {}, Clock* programmerClock = nullptr) {
        dir.Write("KARVO_e.usb",
                  {{"Atmel", {Eprom("27C256", 0x7FFF, 3), Eprom("28C256", 0x7FFF, 9)}}});
        rig = std::make_unique<Rig>(std::move(settings), programmerClock);
        rig->presenter.AttachOperations(ui, windows);
        rig->presenter.StartUp();
        windows.observer = [this](const HeadlessProgressWindow::State& s,
                                  const std::function<void()>& abort) {
            captions.push_back(s.caption);
            maxValue = std::max(maxValue, s.value);
            if (abortAtValue && s.value >= *abortAtValue) {
                abortAtValue.reset();
                abort();
            }
        };
    }

    void Select(int device) {
        PickDevice pick(-1, -1, device);
        rig->presenter.State().settings.DataFileName = "KARVO_e.usb";
        SelectCommand(rig->presenter.Session()).Run(pick);
        rig->log.lines.clear();
        rig->sounds.played.clear();
    }

    void Run(char op) {
        rig->presenter.RunOperation(op);
        ui.RunPending();
    }

    std::vector<std::uint8_t> Chip() {
        return rig->programmer.WithSocket(
            [](std::optional<ChipModel>& c) { return c->Area('e')->bytes; });
    }
    void SetChip(std::uint32_t address, std::uint8_t value) {
        rig->programmer.WithSocket(
            [&](std::optional<ChipModel>& c) { c->Area('e')->bytes[address] = value; });
    }
    std::string Enabled() { return EnabledButtons(rig->presenter.Panel()); }

    ScratchProgramDir dir;
    QueuedUiThread ui;
    HeadlessProgressFactory windows{ui};
    std::unique_ptr<Rig> rig;
    Lines captions;
    int maxValue = 0;
    std::optional<int> abortAtValue;
};

// The log of one operation: an empty line, the job's lines, the elapsed time.
Lines JobLines(const Lines& log) {
    EXPECT_GE(log.size(), 2u);
    EXPECT_EQ(log.front(), "");
    EXPECT_EQ(log.back().size(), 13u) << log.back();  // " hh:nn:ss.zzz"
    return Lines(log.begin() + 1, log.end() - 1);
}

TEST(EpromRead, ReadsTheWholeChipIn512Reports) {
    OperationRig r;
    r.Select(0);
    r.SetChip(0, 0x12);
    r.SetChip(0x7FFF, 0x34);
    r.Run('R');
    EXPECT_EQ(JobLines(r.rig->log.lines), (Lines{" Read Completed"}));
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"chimes.wav"}));
    EXPECT_EQ(r.rig->presenter.Buffer()[0], 0x12);
    EXPECT_EQ(r.rig->presenter.Buffer()[0x7FFF], 0x34);
    EXPECT_EQ(r.maxValue, 0x8000);
    EXPECT_EQ(r.rig->presenter.Link().FailedTransfers(), 0u);
    EXPECT_EQ(r.Enabled(),
              "SB_Select SB_Load SB_Save SB_Edit SB_Config SB_Blank SB_Read SB_Prog "
              "SB_Verify SB_Erase SB_Option");
    // The checksum follows what was read.
    EXPECT_EQ(r.rig->presenter.Panel().Label(PanelLabel::CheckL),
              fmt::format("{:04X}", (0x7FFE * 0xFF + 0x12 + 0x34) & 0xFFFF));
}

TEST(EpromRead, ElapsedTimeIsTheRunsLength) {
    OperationRig r;
    r.Select(0);
    r.Run('P');  // programming waits 100 ms at its end
    EXPECT_EQ(r.rig->log.lines.back(), " 00:00:00.100");
}

TEST(EpromProgram, ProgramsThenVerifies) {
    OperationRig r;
    r.Select(0);
    MemoryBuffer& buffer = r.rig->presenter.Buffer();
    for (std::uint32_t i = 0; i < 0x8000; ++i) buffer[i] = static_cast<std::uint8_t>(i * 7);
    r.Run('P');
    EXPECT_EQ(JobLines(r.rig->log.lines),
              (Lines{" Programmed", " Verifying @ Vdd = 5.0V ", " Verified OK"}));
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"chimes.wav"}));
    const auto chip = r.Chip();
    EXPECT_TRUE(std::equal(chip.begin(), chip.end(), buffer.Data()));
    EXPECT_NE(std::find(r.captions.begin(), r.captions.end(), "Verify"), r.captions.end());
}

TEST(EpromProgram, UvEpromThatIsNotBlankShowsRealCompareErrors) {
    OperationRig r;
    r.Select(0);
    r.SetChip(0x100, 0x0F);  // bits already programmed to 0 cannot come back
    r.rig->presenter.Buffer()[0x100] = 0xF0;
    r.Run('P');
    EXPECT_EQ(JobLines(r.rig->log.lines),
              (Lines{" Programmed", " Verifying @ Vdd = 5.0V ", " Compare Error",
                     "  Compare Error @ 0x00100 Ram = 0xF0 27C256 = 0x00"}));
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
    // The rest of the stream was read and dropped: the next command is answered.
    r.rig->log.lines.clear();
    r.Run('R');
    EXPECT_EQ(JobLines(r.rig->log.lines), (Lines{" Read Completed"}));
}

TEST(EpromProgram, EepromWritesReplaceBytes) {
    OperationRig r;
    r.Select(1);
    r.SetChip(0x100, 0x0F);
    r.rig->presenter.Buffer()[0x100] = 0xF0;
    r.Run('P');
    EXPECT_EQ(JobLines(r.rig->log.lines).back(), " Verified OK");
}

TEST(EpromVerify, CorruptedByteIsReportedAtItsOffset) {
    OperationRig r;
    r.Select(0);
    r.rig->programmer.Corrupt('e', 0x100);
    r.Run('V');
    EXPECT_EQ(JobLines(r.rig->log.lines),
              (Lines{" Verifying @ Vdd = 5.0V ", " Compare Error",
                     "  Compare Error @ 0x00100 Ram = 0xFF 27C256 = 0x00"}));
    EXPECT_EQ(r.rig->presenter.State().ErrorCount, 1);
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
}

TEST(EpromBlank, ChecksAgainstTheBlankValue) {
    OperationRig r;
    r.Select(0);
    r.Run('B');
    EXPECT_EQ(JobLines(r.rig->log.lines), (Lines{" 27C256 is blank"}));
    r.rig->log.lines.clear();
    r.SetChip(0x4000, 0xFE);
    r.Run('B');
    EXPECT_EQ(JobLines(r.rig->log.lines), (Lines{" 27C256 not blank"}));
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"chimes.wav", "error.wav"}));
    r.rig->log.lines.clear();
    r.Run('R');  // the stream was drained
    EXPECT_EQ(JobLines(r.rig->log.lines), (Lines{" Read Completed"}));
}

TEST(EpromErase, IsRefusedNotFaked) {
    OperationRig r;
    r.Select(0);
    r.Run('E');
    EXPECT_EQ(JobLines(r.rig->log.lines),
              (Lines{" Erase is not possible for 27C256 with this programmer"}));
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
}

TEST(EpromAbort, DuringAReadStopsCleanly) {
    GatedClock gate;
    VirtualSettings paced;
    paced.paced = true;
    OperationRig r(paced, &gate);
    r.Select(0);
    // "eR", "GR" and 128 data reports pass; the 129th waits for the Abort.
    gate.Arm(2 + 128);
    r.abortAtValue = 0x2000;
    r.windows.observer = [&](const HeadlessProgressWindow::State& s,
                             const std::function<void()>& abort) {
        if (s.value >= 0x2000 && r.abortAtValue) {
            r.abortAtValue.reset();
            abort();
            gate.Open();
        }
    };
    r.Run('R');
    const Lines& log = r.rig->log.lines;
    ASSERT_EQ(log.size(), 3u) << ::testing::PrintToString(log);
    EXPECT_EQ(log[0], "");
    EXPECT_EQ(log[1], " Process Aborted");
    EXPECT_EQ(log[2].size(), 13u);
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
    // The aborted stream does not poison the next operation.
    r.rig->presenter.Engine()->WaitForWorker();
    r.ui.RunPending();
    EXPECT_EQ(r.Enabled(),
              "SB_Select SB_Load SB_Save SB_Edit SB_Config SB_Blank SB_Read SB_Prog "
              "SB_Verify SB_Erase SB_Option");
    r.rig->log.lines.clear();
    r.Run('R');
    EXPECT_EQ(JobLines(r.rig->log.lines), (Lines{" Read Completed"}));
}

struct FaultCase {
    const char* name;
    std::function<void(VirtualProgrammer&)> inject;
    char op;
    std::string line;
};

class EpromFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(EpromFaults, EndInAnErrorNeverAHangNeverChimes) {
    OperationRig r;
    r.Select(0);
    GetParam().inject(r.rig->programmer);
    r.Run(GetParam().op);
    const Lines lines = JobLines(r.rig->log.lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), GetParam().line), lines.end())
        << ::testing::PrintToString(lines);
    EXPECT_NE(r.rig->presenter.State().ErrorCount, 0);
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
    EXPECT_FALSE(r.rig->presenter.Engine()->Busy());
}

const std::string kNoAnswer = " No answer from the programmer: check the USB cable, then Reconnect";

INSTANTIATE_TEST_SUITE_P(
    EveryKind, EpromFaults,
    ::testing::Values(
        FaultCase{"refuse_read", [](VirtualProgrammer& p) { p.Refuse("eR"); }, 'R',
                  " Programmer refused the command \"eR\" (answer \"??\")"},
        FaultCase{"refuse_write", [](VirtualProgrammer& p) { p.Refuse("eW"); }, 'P',
                  " Programmer refused the command \"eW\" (answer \"??\")"},
        FaultCase{"stall_read", [](VirtualProgrammer& p) { p.StallAfter(100); }, 'R', kNoAnswer},
        FaultCase{"stall_write", [](VirtualProgrammer& p) { p.StallAfter(100); }, 'P', kNoAnswer},
        FaultCase{"stall_verify", [](VirtualProgrammer& p) { p.StallAfter(3); }, 'V', kNoAnswer},
        FaultCase{"unplug", [](VirtualProgrammer& p) { p.Unplug(); }, 'R', kNoAnswer},
        FaultCase{"mute",
                  [](VirtualProgrammer& p) {
                      p.Refuse("eR");
                      p.StallAfter(0);
                  },
                  'B', kNoAnswer}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(EpromAbort, AbortedProgrammingFinishesTheChipAndHoldsTheLinkMeanwhile) {
    ScratchProgramDir dir;
    dir.Write("KARVO_e.usb", {{"Atmel", {Eprom("27C256", 0x7FFF, 3)}}});
    GatedClock clock;
    VirtualProgrammer programmer({}, clock);
    VirtualBackend usb(programmer);
    RecordingLog log;
    RecordingView view;
    RecordingPrompts prompts;
    RecordingSounds sounds;
    MemorySettingsStore store;
    NoFirmwareUpdate update;
    QueuedUiThread ui;
    HeadlessProgressFactory windows(ui);
    MainPresenter presenter({log, view, prompts, sounds, store, usb, clock, update});
    presenter.AttachOperations(ui, windows);
    presenter.StartUp();
    PickDevice pick;
    SelectCommand(presenter.Session()).Run(pick);
    ASSERT_TRUE(presenter.DeviceActive());
    for (std::uint32_t i = 0; i < 0x8000; ++i) presenter.Buffer()[i] = static_cast<std::uint8_t>(i);

    // The worker parks in the wait that ends programming; Abort comes before.
    clock.Arm(0);
    windows.observer = [](const HeadlessProgressWindow::State& s,
                          const std::function<void()>& abort) {
        if (s.value > 0) abort();
    };
    presenter.RunOperation('P');
    ui.RunPending();
    EXPECT_TRUE(presenter.Engine()->Busy());
    log.lines.clear();
    presenter.Reconnect();
    presenter.RunOperation('R');
    SelectCommand(presenter.Session()).Run(pick);
    EXPECT_EQ(log.lines, (Lines(3,
                                " The programmer is still finishing the aborted operation; "
                                "try again shortly")));

    clock.Open();
    presenter.Engine()->WaitForWorker();
    ui.RunPending();
    EXPECT_FALSE(presenter.Engine()->Busy());
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), " Programmed"), 0)
        << "no success line after an Abort";
    const bool written = programmer.WithSocket([&](std::optional<ChipModel>& chip) {
        return std::equal(chip->Area('e')->bytes.begin(), chip->Area('e')->bytes.end(),
                          presenter.Buffer().Data());
    });
    EXPECT_TRUE(written) << "programming is never cut in half";
    log.lines.clear();
    windows.observer = nullptr;
    presenter.RunOperation('V');
    ui.RunPending();
    EXPECT_EQ(log.lines[2], " Verified OK");
}

// A refused command must not touch what the worker uses. Here the user
// presses Read while an aborted Program still writes the rest of a 27C128;
// once the worker is done the chip must hold exactly the buffer.
TEST(EpromAbort, ARefusedCommandDoesNotMoveTheWorkersPlaceInTheBuffer) {
    GatedClock gate;
    VirtualSettings paced;
    paced.paced = true;
    OperationRig r(paced, &gate);
    r.dir.Write("KARVO_e.usb", {{"Atmel", {Eprom("27C128", 0x3FFF, 3)}}});
    r.Select(0);
    MemoryBuffer& buffer = r.rig->presenter.Buffer();
    for (std::uint32_t i = 0; i < 0x4000; ++i)
        buffer[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
    // "eW", "GW", then a write and an acknowledgement per block: block 17
    // waits at the gate until the Read below was refused.
    gate.Arm(2 + 2 * 16);
    r.windows.observer = [&](const HeadlessProgressWindow::State& s,
                             const std::function<void()>& abort) {
        if (s.value >= 16 * 64 && r.rig->presenter.State().RunFlag) abort();
    };
    r.Run('P');
    EXPECT_EQ(r.rig->presenter.Panel().Finishing(), 6) << "as far as the bar was";
    EXPECT_EQ(r.Enabled(), "") << "nothing may be pressed while the chip is being finished";
    r.rig->log.lines.clear();
    r.rig->presenter.RunOperation('R');
    EXPECT_EQ(r.rig->log.lines, (Lines{" The programmer is still finishing the aborted operation; "
                                       "try again shortly"}));
    gate.Open();
    r.rig->presenter.Engine()->WaitForWorker();
    r.ui.RunPending();
    EXPECT_EQ(r.rig->presenter.Panel().Finishing(), -1);
    EXPECT_EQ(r.Enabled(),
              "SB_Select SB_Load SB_Save SB_Edit SB_Config SB_Blank SB_Read SB_Prog "
              "SB_Verify SB_Erase SB_Option");
    const auto chip = r.Chip();
    const auto differing = std::mismatch(chip.begin(), chip.end(), buffer.Data());
    EXPECT_EQ(differing.first, chip.end())
        << "first difference at 0x" << std::hex << (differing.first - chip.begin());
    r.windows.observer = nullptr;
    r.rig->log.lines.clear();
    r.Run('V');
    EXPECT_EQ(JobLines(r.rig->log.lines), (Lines{" Verifying @ Vdd = 5.0V ", " Verified OK"}));
}

// While the worker finishes an aborted Read, the main window shows how far it
// is; the elapsed time is the time until the Abort, not until the worker ends.
TEST(EpromAbort, FinishingShowsProgressAndTheElapsedTimeEndsAtTheAbort) {
    GatedClock gate;
    VirtualSettings paced;
    paced.paced = true;
    OperationRig r(paced, &gate);
    r.Select(0);
    gate.Arm(2 + 64);
    r.windows.observer = [&](const HeadlessProgressWindow::State& s,
                             const std::function<void()>& abort) {
        if (s.value > 0 && r.rig->presenter.State().RunFlag) {
            r.rig->clock.Advance(1234);
            abort();
        }
    };
    r.Run('R');
    // The worker is parked at the gate: the window did not wait for it.
    EXPECT_TRUE(r.rig->presenter.Engine()->Busy());
    EXPECT_EQ(r.rig->log.lines.back(), " 00:00:01.234");
    r.rig->clock.Advance(5000);  // the rest of the stream takes its time
    gate.Open();
    r.rig->presenter.Engine()->WaitForWorker();
    r.ui.RunPending();
    EXPECT_EQ(r.rig->log.lines.back(), " 00:00:01.234") << "nothing logged when it is done";
    const std::vector<int>& shown = r.rig->view.finishing;
    ASSERT_GE(shown.size(), 3u);
    EXPECT_GT(shown.front(), 0) << "the bar's value at the Abort";
    EXPECT_EQ(*std::max_element(shown.begin(), shown.end()), 100);
    EXPECT_EQ(shown.back(), -1);
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}))
        << "once, at the Abort";
}

}  // namespace
}  // namespace karvo::test

namespace karvo::test {
namespace {

TEST(OtherFamilies, AnOperationWithoutAJobSaysSoAndDoesNotChime) {
    ScratchProgramDir dir;
    // A serial EEPROM whose record offers Read, which no job reads.
    dir.Write("KARVO_e.usb",
              {{"Microchip", {DeviceBuilder('S', 0xFF, "24LC02B").Caps(0xFF, 0x04)}}});
    QueuedUiThread ui;
    HeadlessProgressFactory windows(ui);
    Rig rig;
    rig.presenter.AttachOperations(ui, windows);
    rig.presenter.StartUp();
    PickDevice pick(SelectionModel::kEEprom, -1, -1);
    SelectCommand(rig.presenter.Session()).Run(pick);
    rig.log.lines.clear();
    rig.sounds.played.clear();
    rig.presenter.RunOperation('R');
    ui.RunPending();
    ASSERT_EQ(rig.log.lines.size(), 3u);
    EXPECT_EQ(rig.log.lines[1], " Read is not available yet for 24LC02B");
    EXPECT_EQ(rig.sounds.played, (std::vector<std::string>{"error.wav"}));
}

}  // namespace
}  // namespace karvo::test
