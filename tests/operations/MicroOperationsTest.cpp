// 8051-type and AVR-type parts against the virtual programmer: the signature
// check, the step sequence of a Program, read, verify, blank check, erase,
// lock bits, and what each fault ends in.
#include <gtest/gtest.h>

#include "operations/HeadlessProgress.h"
#include "support/CatalogueFixture.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

DeviceRecord At90S2313() {
    DeviceBuilder b('M', 0x7FF, "AT90S2313");
    b.Algorithm(30).Ids(0x1E, 0x91, 0x01).Caps(0xF7, 0x05).Eeprom(128);
    b.U8(DeviceRecord::kOptionCaps, 0x04).U8(DeviceRecord::kDefaultOpts, 0x04);
    b.U8(DeviceRecord::kStepCaps, 0x41);
    return b;
}

// Without chip erase; steps 5 and 6 offered; a code area that is no whole
// number of reports, followed by its data EEPROM.
DeviceRecord OddPart() {
    DeviceBuilder b('M', 0x81F, "ODD51");
    b.Algorithm(28).Ids(0x1E, 0x44, 0x06).Caps(0xF7, 0x04).Eeprom(32);
    b.U8(DeviceRecord::kOptionCaps, 0x04).U8(DeviceRecord::kDefaultOpts, 0x04);
    b.U8(DeviceRecord::kStepCaps, 0x71);
    return b;
}

struct MicroRig {
    explicit MicroRig(VirtualSettings settings = {}) {
        dir.Write("KARVO_m.usb", {{"Atmel", {At89S52(), At90S2313(), OddPart()}}});
        rig = std::make_unique<Rig>(std::move(settings));
        rig->presenter.AttachOperations(ui, windows);
        rig->presenter.StartUp();
    }
    void Select(int device) {
        PickDevice pick(SelectionModel::kMicro, 0, device);
        SelectCommand(rig->presenter.Session()).Run(pick);
        rig->log.lines.clear();
        rig->sounds.played.clear();
    }
    Lines Run(char op) {
        rig->log.lines.clear();
        rig->presenter.RunOperation(op);
        ui.RunPending();
        const Lines& log = rig->log.lines;
        EXPECT_GE(log.size(), 2u);
        if (log.size() < 2) return {};
        return Lines(log.begin() + 1, log.end() - 1);
    }
    OptionFlags& Flags() { return rig->presenter.State().settings.flags; }
    template <typename F>
    auto Chip(F&& f) {
        return rig->programmer.WithSocket([&](std::optional<ChipModel>& c) { return f(*c); });
    }
    std::uint8_t ErrorCount() { return rig->presenter.State().ErrorCount; }

    ScratchProgramDir dir;
    QueuedUiThread ui;
    HeadlessProgressFactory windows{ui};
    std::unique_ptr<Rig> rig;
};

TEST(MicroProgram, TheWholeSequenceEraseCodeVerifyLockBits) {
    MicroRig r;
    r.Select(0);
    r.Flags().ProgBits = 0x4F;
    MemoryBuffer& buffer = r.rig->presenter.Buffer();
    for (std::uint32_t i = 0; i < 0x2000; ++i) buffer[i] = static_cast<std::uint8_t>(i * 13);
    const std::int64_t before = r.rig->clock.NowMs();
    EXPECT_EQ(r.Run('P'),
              (Lines{" Erase Completed ", " Code Area Clean", " Programmed",
                     " Verifying @ Vdd = 5.0V ", " Code Area Verified OK", " Lockbit 1 Programmed",
                     " Lockbit 2 Programmed", " Lockbit 3 Programmed"}));
    // The one wait of the sequence: 500 ms before the first lock bit.
    EXPECT_EQ(r.rig->clock.NowMs() - before, 500);
    EXPECT_EQ(r.rig->log.lines.back(), " 00:00:00.500");
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"chimes.wav"}));
    EXPECT_TRUE(r.Chip([&](ChipModel& c) {
        return std::equal(c.Area('m')->bytes.begin(), c.Area('m')->bytes.end(), buffer.Data());
    }));
    EXPECT_EQ(r.Chip([](ChipModel& c) { return c.lock; }), 0x1C);
}

TEST(MicroProgram, AvrsStopAfterTheCodeAndEraseAloneBlankChecks) {
    MicroRig r;
    r.Select(1);
    r.Flags().ProgBits = 0x4F;
    EXPECT_EQ(r.Run('P'), (Lines{" Erase Completed ", " Code Area Clean", " Programmed",
                                 " Verifying @ Vdd = 5.0V ", " Code Area Verified OK"}));
    EXPECT_EQ(r.Run('E'), (Lines{" Erase Completed ", " Code Area Clean"}));
}

TEST(MicroRead, LockBitsAfterTheReadForTheSignaturesThatHaveThem) {
    MicroRig r;
    r.Select(0);
    r.Chip([](ChipModel& c) {
        c.lock = 0x04;
        c.Area('m')->bytes[0x1FFF] = 0x5A;
        return 0;
    });
    EXPECT_EQ(r.Run('R'),
              (Lines{" Read Completed", " LockBit 1 = P", " LockBit 2 = U", " LockBit 3 = U"}));
    EXPECT_EQ(r.rig->presenter.Buffer()[0x1FFF], 0x5A);
}

// A code area that is no whole number of reports: its data EEPROM, next in
// the buffer, is never overwritten by the rest of the last report.
TEST(MicroRead, CopiesOnlyTheCodeArea) {
    MicroRig r;
    r.Select(2);
    MemoryBuffer& buffer = r.rig->presenter.Buffer();
    buffer[0x820] = 0x12;
    EXPECT_EQ(r.Run('R'), (Lines{" Read Completed"}));
    EXPECT_EQ(buffer[0x81F], 0xFF);
    EXPECT_EQ(buffer[0x820], 0x12);
}

TEST(MicroSignature, AbortIgnoreAndRetryAreObeyed) {
    for (const Answer answer : {Answer::Abort, Answer::Ignore}) {
        MicroRig r;
        r.Select(0);
        r.Chip([](ChipModel& c) {
            c.signature = {0x1E, 0x51, 0xFF};
            return 0;
        });
        r.rig->prompts.answers = {answer};
        const Lines lines = r.Run('R');
        ASSERT_EQ(r.rig->prompts.questions.size(), 1u);
        EXPECT_EQ(r.rig->prompts.questions[0].caption, "CHIP_ID Error");
        EXPECT_EQ(r.rig->prompts.questions[0].text, "ID: 30=0x1E 31=0x51 32=0xFF ");
        if (answer == Answer::Abort) {
            EXPECT_TRUE(lines.empty()) << "no job runs";
            EXPECT_NE(r.ErrorCount(), 0);
            EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
        } else {
            EXPECT_EQ(lines.front(), " Read Completed");
        }
    }
    MicroRig r;
    r.Select(0);
    r.Chip([](ChipModel& c) {
        c.signature = {0x1E, 0x51, 0xFF};
        return 0;
    });
    // Retry asks the chip again: it is asked a second time, then aborted.
    r.rig->prompts.answers = {Answer::Retry, Answer::Abort};
    r.Run('R');
    EXPECT_EQ(r.rig->prompts.questions.size(), 2u);
    // With the ID check off nothing is asked.
    r.Flags().Id_flag = false;
    EXPECT_EQ(r.Run('R').front(), " Read Completed");
    EXPECT_EQ(r.rig->prompts.questions.size(), 2u);
}

TEST(MicroVerify, DifferenceAndBlankCheckLines) {
    MicroRig r;
    r.Select(0);
    r.rig->programmer.Corrupt('m', 0x100);
    EXPECT_EQ(r.Run('V'), (Lines{" Verifying @ Vdd = 5.0V ", " Code Area Compare Error",
                                 "  Compare Error @ 0x00100 Ram = 0xFF AT89S52 = 0x00"}));
    MicroRig blank;
    blank.Select(0);
    EXPECT_EQ(blank.Run('B'), (Lines{" Code Area Clean"}));
    blank.Chip([](ChipModel& c) {
        c.Area('m')->bytes[0x1234] = 0x7F;
        return 0;
    });
    EXPECT_EQ(blank.Run('B'), (Lines{" AT89S52 not blank"}));
    EXPECT_EQ(blank.rig->sounds.played, (std::vector<std::string>{"chimes.wav", "error.wav"}));
    // The stream was drained: the next command is answered.
    EXPECT_EQ(blank.Run('R').front(), " Read Completed");
}

// What a user chose but this programmer cannot do is said, and never done
// twice or in its place.
TEST(MicroProgram, StepsThatCannotBeDoneAreSaid) {
    MicroRig r;
    r.Select(2);
    r.Flags().ProgBits = 0x31;
    const Lines lines = r.Run('P');
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind(" Not done by this programmer: ", 0), 0u) << lines.front();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), " Programmed"), 1);
    // Erase first on a part without chip erase: said, and nothing programmed.
    r.Flags().ProgBits = 0x41;
    EXPECT_EQ(r.Run('P'), (Lines{" Erase is not possible for ODD51 with this programmer"}));
    EXPECT_NE(r.ErrorCount(), 0);
}

TEST(MicroErase, AnEraseThatNeverCompletesEndsTheSequence) {
    MicroRig r;
    r.Select(0);
    r.Chip([](ChipModel& c) {
        c.eraseFails = true;
        return 0;
    });
    r.Flags().ProgBits = 0x41;
    EXPECT_EQ(r.Run('P'), (Lines{" Erase of AT89S52 did not complete"}));
    EXPECT_EQ(r.rig->sounds.played.back(), "error.wav");
}

struct FaultCase {
    const char* name;
    std::function<void(VirtualProgrammer&)> inject;
    char op;
    std::string line;
};

class MicroFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(MicroFaults, EndInAnErrorNeverAHangNeverChimes) {
    VirtualSettings settings;
    if (std::string(GetParam().name) == "mute_erase") settings.muted.insert("mE");
    MicroRig r(settings);
    r.Select(0);
    r.Flags().ProgBits = 0x41;
    GetParam().inject(r.rig->programmer);
    const Lines lines = r.Run(GetParam().op);
    EXPECT_NE(std::find(lines.begin(), lines.end(), GetParam().line), lines.end())
        << ::testing::PrintToString(lines);
    EXPECT_NE(r.ErrorCount(), 0);
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
    EXPECT_FALSE(r.rig->presenter.Engine()->Busy());
}

const std::string kNoAnswer = " No answer from the programmer: check the USB cable, then Reconnect";

INSTANTIATE_TEST_SUITE_P(
    EveryKind, MicroFaults,
    ::testing::Values(
        FaultCase{"refuse_write", [](VirtualProgrammer& p) { p.Refuse("mW"); }, 'P',
                  " Programmer refused the command \"mW\" (answer \"??\")"},
        FaultCase{"refuse_read", [](VirtualProgrammer& p) { p.Refuse("mR"); }, 'R',
                  " Programmer refused the command \"mR\" (answer \"??\")"},
        FaultCase{"mute_erase", [](VirtualProgrammer&) {}, 'E', kNoAnswer},
        FaultCase{"stall", [](VirtualProgrammer& p) { p.StallAfter(40); }, 'R', kNoAnswer},
        FaultCase{"unplug", [](VirtualProgrammer& p) { p.Unplug(); }, 'V', kNoAnswer}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace karvo::test
