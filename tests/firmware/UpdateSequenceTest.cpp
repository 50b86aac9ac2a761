// The update sequence against the virtual bootloader: the whole update, and a
// cut or fault at every stage, each ending with a line, never a hang, never a
// reset after a failed verify.
#include <gtest/gtest.h>

#include "FirmwareTestSupport.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;
constexpr const char* kSuccess = "Erase/Program/Verify sequence completed successfully.";
constexpr const char* kErasing =
    "Erasing Device... (no status update until complete, may take several seconds)";

struct SequenceRun {
    bool ok = false;
    RecordingDisplay display;
};

SequenceRun RunUpdate(BootBench& bench, const FirmwareImage& image = CarriedImage()) {
    SequenceRun run;
    Comm comm(bench.usb, bench.clock);
    UpdateSequence sequence(comm, image, run.display, bench.clock);
    run.ok = sequence.Run();
    return run;
}

// Every program-memory byte of the image is in the virtual flash (the
// signature the bootloader wrote aside, and family 2's phantom bytes).
void ExpectFlashHolds(BootBench& bench, const FirmwareImage& image, int family = 1) {
    int compared = 0;
    bench.programmer.WithBootloader([&](VirtualBootloader& boot) {
        for (const auto& [address, value] : ImageBytes(image)) {
            if (address < 0x1000 || address >= 0x8000) continue;
            if (address == VirtualBootloader::kSignatureByte ||
                address == VirtualBootloader::kSignatureByte + 1) {
                continue;
            }
            if (family == 2 && address % 4 == 3) continue;
            ASSERT_EQ(boot.ProgramByte(address), value) << std::hex << address;
            ++compared;
        }
    });
    EXPECT_GT(compared, 0x4800);
}

TEST(UpdateSequence, WritesVerifiesSignsAndResetsIntoTheNewFirmware) {
    BootBench bench;
    const SequenceRun run = RunUpdate(bench);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.display.lines,
              (Lines{"Device Attached.", "Connecting...", "Device Ready", kErasing,
                     "Erase Complete ( 00:00:01.500s)", "", "Writing Device...",
                     "Write Complete ( 00:00:00.000s)", "", "Verifying Device...",
                     "Verifying Device's Program Memory...", "Verify Complete ( 00:00:00.000s)", "",
                     kSuccess, "You may now unplug or reset the device.", "Resetting..."}));
    EXPECT_EQ(bench.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
    EXPECT_EQ(bench.programmer.Settings().firmwareMajor, 2);
    EXPECT_EQ(bench.programmer.Settings().firmwareMinor, 3);
    ExpectFlashHolds(bench, CarriedImage());
    EXPECT_TRUE(std::is_sorted(run.display.progress.begin(), run.display.progress.end()));
    EXPECT_EQ(run.display.progress.back(), 100);
    EXPECT_EQ(bench.programmer.WithBootloader([](VirtualBootloader& b) { return b.Erases(); }), 1);
}

// The erased stretch of the image is never sent: 0x7000 bytes less 0x800,
// 56 a packet.
TEST(UpdateSequence, SkipsErasedPackets) {
    BootBench bench;
    ASSERT_TRUE(RunUpdate(bench).ok);
    const int packets =
        bench.programmer.WithBootloader([](VirtualBootloader& b) { return b.ProgramPackets(); });
    EXPECT_LE(packets, (0x7000 - 0x800) / 56 + 2);
    EXPECT_GE(packets, (0x7000 - 0x800) / 56 - 1);
}

struct Good {
    const char* what;
    std::function<void(BootloaderSettings&)> set;
};

class Layouts : public ::testing::TestWithParam<Good> {};

TEST_P(Layouts, UpdateSucceeds) {
    BootloaderSettings boot;
    GetParam().set(boot);
    BootBench bench(boot);
    const SequenceRun run = RunUpdate(bench);
    ASSERT_TRUE(run.ok) << ::testing::PrintToString(run.display.lines);
    EXPECT_TRUE(run.display.Has(kSuccess));
    EXPECT_EQ(bench.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
    EXPECT_EQ(bench.programmer.Settings().firmwareMinor, 3);
    ExpectFlashHolds(bench, CarriedImage(), boot.family);
}

INSTANTIATE_TEST_SUITE_P(
    FamiliesAndSizes, Layouts,
    ::testing::Values(Good{"family1", [](BootloaderSettings&) {}},
                      Good{"family2", [](BootloaderSettings& b) { b.family = 2; }},
                      Good{"family3",
                           [](BootloaderSettings& b) {
                               b.family = 3;
                               b.payload = 58;
                           }},
                      Good{"family4", [](BootloaderSettings& b) { b.family = 4; }},
                      Good{"noext", [](BootloaderSettings& b) { b.extendedInfo = false; }},
                      Good{"payload10", [](BootloaderSettings& b) { b.payload = 10; }},
                      Good{"payload2", [](BootloaderSettings& b) { b.payload = 2; }},
                      Good{"page4096", [](BootloaderSettings& b) { b.erasePageSize = 4096; }},
                      Good{"slowerase", [](BootloaderSettings& b) { b.eraseMs = 9000; }}),
    [](const auto& row) { return std::string(row.param.what); });

// One row per cut or fault: the line that must say what failed, whether the
// programmer may have been erased, and how many erases at most.
struct Fault {
    const char* what;
    std::function<void(BootloaderSettings&)> set;
    std::string line;  // exact, or a start when it ends with '*'
    int mostErases;
};

BootloaderSettings::StageFault At(BootStage stage, bool unplug, int after = 0) {
    BootloaderSettings::StageFault fault;
    fault.stage = stage;
    fault.unplug = unplug;
    fault.afterPackets = after;
    return fault;
}

class Faults : public ::testing::TestWithParam<Fault> {};

TEST_P(Faults, EndWithALineAndNoReset) {
    const Fault& f = GetParam();
    BootloaderSettings boot;
    f.set(boot);
    BootBench bench(boot);
    const SequenceRun run = RunUpdate(bench);
    const Lines& lines = run.display.lines;
    EXPECT_FALSE(run.ok);
    if (f.line.back() == '*') {
        EXPECT_TRUE(run.display.HasStart(f.line.substr(0, f.line.size() - 1)))
            << ::testing::PrintToString(lines);
    } else {
        EXPECT_TRUE(run.display.Has(f.line)) << ::testing::PrintToString(lines);
    }
    EXPECT_FALSE(run.display.Has(kSuccess));
    EXPECT_FALSE(run.display.Has("Resetting..."));
    EXPECT_NE(bench.programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware)
        << "no reset";
    const int erases =
        bench.programmer.WithBootloader([](VirtualBootloader& b) { return b.Erases(); });
    EXPECT_LE(erases, f.mostErases);
    // Bounded: the longest wait is a stalled write (five windows of four
    // seconds) after an erase.
    EXPECT_LT(bench.clock.NowMs(), 60000);
}

const std::string kAborted = "Operation aborted due to error encountered during verify operation.";

INSTANTIATE_TEST_SUITE_P(
    EveryStage, Faults,
    ::testing::Values(
        Fault{"stall_query", [](auto& b) { b.fault = At(BootStage::Query, false); },
              "Operation timed out", 0},
        Fault{"unplug_query", [](auto& b) { b.fault = At(BootStage::Query, true); },
              "Unable to communicate with device", 0},
        Fault{"echo_query", [](auto& b) { b.wrongEcho = 0x02; },
              "Unable to communicate with device", 0},
        Fault{"echo_extended", [](auto& b) { b.wrongEcho = 0x0C; },
              "Unable to communicate with device", 0},
        Fault{"region_zero", [](auto& b) { b.layout = BootloaderSettings::Layout::AtZero; },
              ImportFailureText(kNoBufferPosition), 0},
        Fault{"region_wrap", [](auto& b) { b.layout = BootloaderSettings::Layout::Wrapping; },
              "The bootloader reports a region at 0xFFFFF000 that runs past*", 0},
        Fault{"region_huge", [](auto& b) { b.layout = BootloaderSettings::Layout::Huge; },
              "The bootloader reports a region of 268435455 bytes*", 0},
        Fault{"payload0", [](auto& b) { b.payload = 0; }, "The bootloader reports packets of 0*",
              0},
        Fault{"payload59", [](auto& b) { b.payload = 59; }, "The bootloader reports packets of 59*",
              0},
        Fault{"payload_below_word",
              [](auto& b) {
                  b.family = 3;
                  b.payload = 3;
              },
              "The bootloader reports packets of 3 data bytes, which cannot carry its 4-byte*", 0},
        Fault{"page0", [](auto& b) { b.erasePageSize = 0; },
              "The bootloader reports an erase page of 0*", 0},
        Fault{"page9000", [](auto& b) { b.erasePageSize = 9000; },
              "The bootloader reports an erase page of 9000*", 0},
        Fault{"stall_erase", [](auto& b) { b.fault = At(BootStage::Erase, false); },
              "Erase Timed out waiting for device (*", 1},
        Fault{"unplug_erase", [](auto& b) { b.fault = At(BootStage::Erase, true); },
              "Erase Failed.", 1},
        Fault{"stall_program_first", [](auto& b) { b.fault = At(BootStage::Program, false, 0); },
              "Write Timed out waiting for device (*", 1},
        Fault{"stall_program_100", [](auto& b) { b.fault = At(BootStage::Program, false, 100); },
              "Write Timed out waiting for device (*", 1},
        Fault{"unplug_program_100", [](auto& b) { b.fault = At(BootStage::Program, true, 100); },
              "Write Failed.", 1},
        Fault{"stall_complete", [](auto& b) { b.fault = At(BootStage::Complete, false); },
              "Write Timed out waiting for device (*", 1},
        Fault{"unplug_complete", [](auto& b) { b.fault = At(BootStage::Complete, true); },
              "Write Failed.", 1},
        Fault{"stall_readback", [](auto& b) { b.fault = At(BootStage::ReadBack, false); },
              "Verifying Device's Program Memory Timed out waiting for device (*", 1},
        Fault{"unplug_readback", [](auto& b) { b.fault = At(BootStage::ReadBack, true); },
              "Verifying Device's Program Memory Failed.", 1},
        Fault{"echo_getdata", [](auto& b) { b.wrongEcho = 0x07; },
              "Verifying Device's Program Memory Failed. Unable to communicate with device.", 1},
        Fault{"flipped_byte", [](auto& b) { b.flip = 0x2345; }, "Verify Failed.", 1},
        Fault{"stall_sign", [](auto& b) { b.fault = At(BootStage::Sign, false); },
              "Sign Timed out waiting for device (*", 1},
        Fault{"unplug_sign", [](auto& b) { b.fault = At(BootStage::Sign, true); }, "Sign Failed.",
              1},
        Fault{"sign_silent", [](auto& b) { b.sign = BootloaderSettings::Sign::Silent; },
              "Sign Timed out waiting for device (*", 1},
        Fault{"sign_ignored", [](auto& b) { b.sign = BootloaderSettings::Sign::Ignore; },
              "The signed page does not read back as written.", 2},
        Fault{"sign_wrong", [](auto& b) { b.sign = BootloaderSettings::Sign::Wrong; },
              "The signed page does not read back as written.", 2}),
    [](const auto& row) { return std::string(row.param.what); });

// Signing that failed, and a signed page that differs, end like a failed
// verify: the five lines, and the page mismatch erases once, not once a byte.
TEST(UpdateSequence, SignedPageMismatchErasesOnceAndFails) {
    BootloaderSettings boot;
    boot.sign = BootloaderSettings::Sign::Wrong;
    BootBench bench(boot);
    const SequenceRun run = RunUpdate(bench);
    ASSERT_FALSE(run.ok);
    const Lines& lines = run.display.lines;
    const auto erasing = std::count(lines.begin(), lines.end(), kErasing);
    EXPECT_EQ(erasing, 2) << "the write's erase and one more";
    EXPECT_EQ(lines.back(), "there is some other unidentified problem.");
    EXPECT_TRUE(run.display.Has(kAborted));
    bench.programmer.WithBootloader([](VirtualBootloader& b) {
        EXPECT_EQ(b.ProgramByte(0x2000), 0xFF) << "the half-signed firmware was erased";
        EXPECT_FALSE(b.StartableFirmware());
    });
}

TEST(UpdateSequence, NoExtendedInformationMeansNoSign) {
    BootloaderSettings boot;
    boot.extendedInfo = false;
    boot.fault = At(BootStage::Sign, true);  // would cut the cable if SIGN came
    BootBench bench(boot);
    EXPECT_TRUE(RunUpdate(bench).ok);
}

// The image is checked against the regions before anything is erased.
TEST(UpdateSequence, RefusesImagesThatDoNotFitBeforeErasing) {
    struct Case {
        const char* what;
        FirmwareImage image;
        std::string line;
    };
    FirmwareImage counted = CarriedImage();
    counted.dataBytes += 1;
    const Case cases[] = {
        {"outside", ImageOf({":0208000001FFF6", ":02100000AA55EF", ":00000001FF"}),
         "The firmware image has data at 0x800, outside the memory the bootloader offers: it was "
         "not made for this programmer; nothing was erased."},
        {"no program", ImageOf({":020000040030CA", ":0100000001FE", ":00000001FF"}),
         "The firmware image holds nothing for the program memory; nothing was erased."},
        {"count", counted,
         "The firmware image should hold " + std::to_string(counted.dataBytes) +
             " data bytes but " + std::to_string(counted.dataBytes - 1) +
             " were read; nothing was erased."},
        {"malformed", ImageOf({":0210000001"}), ImportFailureText(kMalformedRecord)},
        {"nothing", ImageOf({":00000001FF"}), ImportFailureText(kNothingInRange)},
    };
    for (const Case& c : cases) {
        BootBench bench;
        const SequenceRun run = RunUpdate(bench, c.image);
        EXPECT_FALSE(run.ok) << c.what;
        EXPECT_EQ(run.display.lines.back(), c.line) << c.what;
        EXPECT_EQ(bench.programmer.WithBootloader([](VirtualBootloader& b) { return b.Erases(); }),
                  0)
            << c.what;
    }
}

TEST(UpdateSequence, PlainImageThatFitsIsWritten) {
    BootBench bench;
    const FirmwareImage image =
        ImageOf({":10200000000102030405060708090A0B0C0D0E0F58", ":00000001FF"});
    ASSERT_TRUE(RunUpdate(bench, image).ok);
    bench.programmer.WithBootloader([](VirtualBootloader& b) {
        EXPECT_EQ(b.ProgramByte(0x200F), 0x0F);
        EXPECT_EQ(b.ProgramByte(0x1010), 0xFF) << "the old firmware was erased";
    });
    EXPECT_EQ(bench.programmer.Settings().firmwareMinor, 0) << "no version tag in it";
}

TEST(UpdateSequence, BootloaderThatCannotBeOpenedGetsALineAndNoPacket) {
    ManualClock clock;
    ScriptedBootloader device;
    ScriptedUsb usb(device, clock);
    usb.openable = false;
    usb.emulated = true;
    Comm comm(usb, clock);
    RecordingDisplay display;
    UpdateSequence sequence(comm, CarriedImage(), display, clock);
    EXPECT_FALSE(sequence.Run());
    EXPECT_EQ(display.lines.back(),
              "Unable to open the device. Check that this user may use it (on Linux, the udev rule "
              "named in the README) and try again.");
    EXPECT_TRUE(device.sent.empty());
}

// Real hardware never receives an image made for the virtual programmer:
// not a query, let alone an erase.
TEST(HardwareSafety, VirtualOnlyImageSendsNothingToRealHardware) {
    ASSERT_TRUE(CarriedImage().virtualOnly);
    ManualClock clock;
    ScriptedBootloader device;
    ScriptedUsb usb(device, clock);  // not emulated: hardware as far as anyone knows
    Comm comm(usb, clock);
    RecordingDisplay display;
    UpdateSequence sequence(comm, CarriedImage(), display, clock);
    EXPECT_FALSE(sequence.Run());
    EXPECT_TRUE(device.sent.empty());
    EXPECT_EQ(
        display.lines.back(),
        "This firmware image is made for the virtual programmer only; nothing was sent to the "
        "programmer.");
}

}  // namespace
}  // namespace karvo::test
