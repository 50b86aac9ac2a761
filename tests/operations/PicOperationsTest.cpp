// PIC-type parts from the real catalogue against the virtual programmer:
// each area read, programmed, verified and blank-checked where the buffer
// keeps it, the configuration through its masks, the calibration word, the
// erase, and what each fault ends in.
#include <gtest/gtest.h>

#include "catalogue/ChipFacts.h"
#include "operations/HeadlessProgress.h"
#include "support/CatalogueFixture.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

// The parts these tests use, in this order in the scratch catalogue.
const char* const kParts[] = {"16F84A", "12F675", "16C54", "16F1938", "18F452", "12F508", "17C44"};
enum Part { k16F84A, k12F675, k16C54, k16F1938, k18F452, k12F508, k17C44 };

std::vector<DeviceRecord> RealParts() {
    std::vector<DeviceRecord> found;
    for (const char* name : kParts) {
        if (auto r = ShippedMicro(name)) found.push_back(*r);
    }
    return found;
}

struct PicRig {
    explicit PicRig(VirtualSettings settings = {}) {
        parts = RealParts();
        EXPECT_EQ(parts.size(), std::size(kParts)) << "a part is missing from the catalogue";
        dir.Write("KARVO_m.usb", {{"Microchip", parts}});
        rig = std::make_unique<Rig>(std::move(settings));
        rig->presenter.AttachOperations(ui, windows);
        rig->presenter.StartUp();
    }
    const DeviceRecord& Select(Part part) {
        PickDevice pick(SelectionModel::kMicro, 0, part);
        SelectCommand(rig->presenter.Session()).Run(pick);
        EXPECT_EQ(rig->presenter.Device().DevName(), kParts[part]);
        rig->log.lines.clear();
        rig->sounds.played.clear();
        return parts[part];
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
    MemoryBuffer& Buffer() { return rig->presenter.Buffer(); }
    template <typename F>
    auto Chip(F&& f) {
        return rig->programmer.WithSocket([&](std::optional<ChipModel>& c) { return f(*c); });
    }
    // The chip's byte kept at this buffer address.
    std::uint8_t ChipAt(std::uint32_t address) {
        return Chip([&](ChipModel& c) {
            const auto cell = c.At(address);
            EXPECT_TRUE(cell) << std::hex << address;
            return cell ? c.Area(cell->area)->bytes[cell->offset] : std::uint8_t{0};
        });
    }
    void SetChip(std::uint32_t address, std::uint8_t value) {
        Chip([&](ChipModel& c) {
            const auto cell = c.At(address);
            EXPECT_TRUE(cell) << std::hex << address;
            if (cell) c.Area(cell->area)->bytes[cell->offset] = value;
            return 0;
        });
    }
    std::uint8_t ErrorCount() { return rig->presenter.State().ErrorCount; }

    ScratchProgramDir dir;
    std::vector<DeviceRecord> parts;
    QueuedUiThread ui;
    HeadlessProgressFactory windows{ui};
    std::unique_ptr<Rig> rig;
};

const Lines kAllRead{" Code Area Read", " Data Area Read", " ID Bytes Read", " Config Bytes Read"};
const Lines kAllBlank{" Code Area Blank", " Data Area Blank", " ID Bytes Blank",
                      " Config Bytes Blank"};

TEST(PicRead, EveryAreaLandsWhereTheBufferKeepsIt) {
    struct Case {
        Part part;
        std::uint32_t data, id, config;
    };
    for (const Case& c :
         {Case{k16F84A, 0x4200, 0x4000, 0x400E}, Case{k16F1938, 0x10200, 0x10000, 0x1000E},
          Case{k18F452, 0xF0200, 0xF0000, 0xF0010}}) {
        PicRig r;
        const DeviceRecord& d = r.Select(c.part);
        SCOPED_TRACE(d.DevName());
        const PicAreas areas = PicAreasFor(d);
        ASSERT_EQ(areas.dataOffset.value_or(0), c.data);
        ASSERT_EQ(areas.idOffset, c.id);
        ASSERT_EQ(areas.configOffset, c.config);
        r.SetChip(0x0002, 0x12);
        r.SetChip(c.data + 1, 0x34);
        r.SetChip(c.id + 7, 0x05);
        r.SetChip(c.config + 1, 0xFF);
        EXPECT_EQ(r.Run('R'), kAllRead);
        EXPECT_EQ(r.Buffer()[0x0002], 0x12);
        EXPECT_EQ(r.Buffer()[c.data + 1], 0x34);
        EXPECT_EQ(r.Buffer()[c.id + 7], 0x05);
        // Bits the part does not implement are kept as 0.
        EXPECT_EQ(r.Buffer()[c.config + 1], d.ConfigMask(1));
        EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"chimes.wav"}));
    }
}

TEST(PicProgram, EraseThenEachAreaProgrammedAndVerifiedInPlace) {
    for (const Part part : {k16F84A, k16F1938, k18F452}) {
        PicRig r;
        const DeviceRecord& d = r.Select(part);
        SCOPED_TRACE(d.DevName());
        r.Flags().ProgBits = 0x57;
        const PicAreas areas = PicAreasFor(d);
        MemoryBuffer& b = r.Buffer();
        b[0x10] = 0x01;
        b[0x11] = 0x23;
        b[*areas.dataOffset + 3] = 0x42;
        b[areas.idOffset + 1] = 0x07;
        for (std::uint32_t i = 0; i < d.ConfigCount(); ++i) {
            b[areas.configOffset + i] = static_cast<std::uint8_t>(0xA5 & d.ConfigMask(i));
        }
        EXPECT_EQ(r.Run('P'),
                  (Lines{" Erase Completed", " Code Area Blank", " Code Area Programmed",
                         " Code Area Verified", " Data Area Programmed", " Data Area Verified",
                         " ID Bytes Programmed", " ID Bytes Verified", " Config Bytes Programmed",
                         " Config Bytes Verified"}));
        EXPECT_EQ(r.ChipAt(0x11), 0x23);
        EXPECT_EQ(r.ChipAt(*areas.dataOffset + 3), 0x42);
        EXPECT_EQ(r.ChipAt(areas.idOffset + 1), 0x07);
        for (std::uint32_t i = 0; i < d.ConfigCount(); ++i) {
            EXPECT_EQ(r.ChipAt(areas.configOffset + i) & d.ConfigMask(i), 0xA5 & d.ConfigMask(i))
                << "configuration byte " << i;
        }
        EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"chimes.wav"}));
        // An erase blank-checks every area.
        EXPECT_EQ(r.Run('E'), (Lines{" Erase Completed", " Code Area Blank", " Data Area Blank",
                                     " ID Bytes Blank", " Config Bytes Blank"}));
    }
}

TEST(PicProgram, OnlyTheChosenStepsAndNoneForAnAreaThePartLacks) {
    PicRig r;
    r.Select(k16F84A);
    r.Flags().ProgBits = 0x12;
    EXPECT_EQ(r.Run('P'), (Lines{" Data Area Programmed", " Data Area Verified",
                                 " Config Bytes Programmed", " Config Bytes Verified"}));
    // A step bit that chooses no area of this programmer means the code.
    r.Flags().ProgBits = 0x08;
    EXPECT_EQ(r.Run('P'), (Lines{" Code Area Programmed", " Code Area Verified"}));
}

// The 16C54 has no data EEPROM: no data line, and "pd"/"pD" never sent
// (refused here, so sending either would fail the operation).
TEST(PicNoData, NoDataAreaCommandForAPartWithoutEeprom) {
    PicRig r;
    r.Select(k16C54);
    EXPECT_EQ(r.Flags().ProgBits & 0x02, 0) << "no data step offered at Select";
    r.rig->programmer.Refuse("pd");
    r.rig->programmer.Refuse("pD");
    EXPECT_EQ(r.Run('R'), (Lines{" Code Area Read", " ID Bytes Read", " Config Bytes Read"}));
    r.Flags().ProgBits = 0x57;
    EXPECT_EQ(r.Run('P'),
              (Lines{" Code Area Programmed", " Code Area Verified", " ID Bytes Programmed",
                     " ID Bytes Verified", " Config Bytes Programmed", " Config Bytes Verified"}));
    EXPECT_EQ(r.Run('B'), (Lines{" Code Area Blank", " ID Bytes Blank", " Config Bytes Blank"}));
    EXPECT_EQ(r.ErrorCount(), 0);
}

TEST(PicCalibration, TheLastWordIsReadKeptAndNeverJudged) {
    PicRig r;
    r.Select(k12F675);
    ASSERT_EQ(r.ChipAt(0x7FE), 0x34);
    ASSERT_EQ(r.ChipAt(0x7FF), 0x80);
    EXPECT_EQ(r.Run('R'), kAllRead);
    EXPECT_EQ(r.Buffer()[0x7FE], 0x34);
    EXPECT_EQ(r.Buffer()[0x7FF], 0x80);
    EXPECT_EQ(r.Run('B'), kAllBlank);
    EXPECT_EQ(r.Run('E'), (Lines{" Erase Completed", " Code Area Blank", " Data Area Blank",
                                 " ID Bytes Blank", " Config Bytes Blank"}));
    EXPECT_EQ(r.ChipAt(0x7FE), 0x34) << "the erase keeps the calibration word";
    // A buffer without the word programs and verifies, and leaves the chip's.
    r.Buffer()[0x7FE] = 0x3F;
    r.Buffer()[0x7FF] = 0xFF;
    r.Flags().ProgBits = 0x57;
    EXPECT_EQ(r.Run('P').back(), " Config Bytes Verified");
    EXPECT_EQ(r.Run('V'), (Lines{" Code Area Verified", " Data Area Verified", " ID Bytes Verified",
                                 " Config Bytes Verified"}));
    EXPECT_EQ(r.ChipAt(0x7FF), 0x80);
}

TEST(PicBlank, EachAreaJudgedOnItsOwnBytesAndTheConfigurationThroughItsMasks) {
    PicRig r;
    r.Select(k16F84A);
    // A bit the part does not implement reads either way.
    r.SetChip(0x400E, 0xFF);
    EXPECT_EQ(r.Run('B'), kAllBlank);
    struct Case {
        std::uint32_t address;
        std::uint8_t value;
    };
    for (const Case& c :
         {Case{0x0010, 0x12}, Case{0x4203, 0x00}, Case{0x4007, 0x00}, Case{0x400F, 0xFE}}) {
        PicRig each;
        each.Select(k16F84A);
        each.SetChip(c.address, c.value);
        const Lines lines = each.Run('B');
        EXPECT_EQ(lines.back(), " 16F84A not blank") << std::hex << c.address;
    }
    // The 12F508's factory calibration word, last, is passed over.
    PicRig baseline;
    baseline.Select(k12F508);
    EXPECT_NE(baseline.ChipAt(0x3FE), 0x0F);
    EXPECT_EQ(baseline.Run('B'),
              (Lines{" Code Area Blank", " ID Bytes Blank", " Config Bytes Blank"}));
}

TEST(PicVerify, ConfigurationComparedThroughItsMasks) {
    PicRig r;
    r.Select(k16F84A);
    r.Flags().ProgBits = 0x10;
    // Unimplemented bits differ: no fault.
    r.Buffer()[0x400E] = 0xFF;
    EXPECT_EQ(r.Run('V'), (Lines{" Config Bytes Verified"}));
    r.Buffer()[0x400F] = 0xFE;
    const Lines lines = r.Run('V');
    ASSERT_GE(lines.size(), 1u);
    EXPECT_EQ(lines[0], " Config Bytes Compare Error");
    EXPECT_NE(r.ErrorCount(), 0);
    EXPECT_EQ(r.rig->sounds.played.back(), "error.wav");
    // A code difference, then the next command is answered.
    r.Flags().ProgBits = 0x01;
    r.SetChip(0x20, 0x00);
    EXPECT_EQ(r.Run('V')[0], " Code Area Compare Error");
    EXPECT_EQ(r.Run('R'), (Lines{" Code Area Read"}));
}

struct FaultCase {
    const char* name;
    std::function<void(VirtualProgrammer&)> inject;
    char op;
    std::string line;
};

class PicFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(PicFaults, EndInAnErrorNeverAHangNeverChimes) {
    VirtualSettings settings;
    if (std::string(GetParam().name) == "mute_erase") settings.muted.insert("pE");
    PicRig r(settings);
    r.Select(k16F84A);
    r.Flags().ProgBits = 0x57;
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
    EveryKind, PicFaults,
    ::testing::Values(
        FaultCase{"refuse_code_write", [](VirtualProgrammer& p) { p.Refuse("pC"); }, 'P',
                  " Programmer refused the command \"pC\" (answer \"??\")"},
        FaultCase{"refuse_config_read", [](VirtualProgrammer& p) { p.Refuse("pk"); }, 'R',
                  " Programmer refused the command \"pk\" (answer \"??\")"},
        FaultCase{"refuse_erase", [](VirtualProgrammer& p) { p.Refuse("pE"); }, 'E',
                  " Programmer refused the command \"pE\" (answer \"??\")"},
        FaultCase{"mute_erase", [](VirtualProgrammer&) {}, 'E', kNoAnswer},
        // What the erase's second report says is not examined; the blank
        // check after it finds the chip unerased.
        FaultCase{"erase_fails",
                  [](VirtualProgrammer& p) {
                      p.WithSocket([](std::optional<ChipModel>& c) {
                          c->eraseFails = true;
                          c->Area('c')->bytes[0x10] = 0x00;
                          return 0;
                      });
                  },
                  'P', " 16F84A not blank"},
        FaultCase{"stall", [](VirtualProgrammer& p) { p.StallAfter(10); }, 'R', kNoAnswer},
        FaultCase{"corrupt", [](VirtualProgrammer& p) { p.Corrupt('d', 6); }, 'V',
                  " Data Area Compare Error"},
        FaultCase{"unplug", [](VirtualProgrammer& p) { p.Unplug(); }, 'V', kNoAnswer}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace karvo::test
