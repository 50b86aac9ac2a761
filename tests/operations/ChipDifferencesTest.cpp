// Every difference after a failed Verify: the comparison and its lines, and
// the whole command against the virtual programmer.
#include <gtest/gtest.h>

#include <cctype>

#include <fmt/format.h>

#include "catalogue/SelectCommand.h"
#include "operations/ChipDifferences.h"
#include "operations/HeadlessProgress.h"
#include "support/CatalogueFixture.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

// Two buffers of a 4 KiB EPROM, equal but for the bytes given.
struct Pair {
    explicit Pair(const DeviceRecord& d) : device(d) {
        buffer.AllocateForDevice(device);
        buffer.FillWithBlank(device);
        chip.CopyFrom(buffer);
    }
    DeviceRecord device;
    MemoryBuffer buffer;
    MemoryBuffer chip;
};

struct CompareCase {
    const char* what;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> chipBytes;
    Lines expected;
};

class CompareAreasTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareAreasTest, ListsRangesAndTheTotal) {
    Pair pair(DeviceBuilder('E', 0xFFF, "27C32"));
    for (const auto& [at, value] : GetParam().chipBytes) pair.chip[at] = value;
    const Differences found =
        CompareAreas(pair.buffer, pair.chip, pair.device, VerifiedAreas(pair.device, 0));
    EXPECT_EQ(DifferenceLines(found, "27C32"), GetParam().expected) << GetParam().what;
}

std::vector<std::pair<std::uint32_t, std::uint8_t>> Run(std::uint32_t from, std::uint32_t n) {
    std::vector<std::pair<std::uint32_t, std::uint8_t>> bytes;
    for (std::uint32_t i = 0; i < n; ++i)
        bytes.emplace_back(from + i, static_cast<std::uint8_t>(i % 0x80));
    return bytes;
}

std::vector<std::pair<std::uint32_t, std::uint8_t>> EveryOther(std::uint32_t n) {
    std::vector<std::pair<std::uint32_t, std::uint8_t>> bytes;
    for (std::uint32_t i = 0; i < n; ++i) bytes.emplace_back(2 * i, 0x00);
    return bytes;
}

Lines Capped() {
    Lines lines;
    for (std::uint32_t i = 0; i < Differences::kMaxRanges; ++i) {
        lines.push_back(fmt::format(" 0x{:05X}  Ram = FF  27C32 = 00", 2 * i));
    }
    lines.emplace_back(" 150 bytes differ in 150 ranges; the first 100 are listed");
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareAreasTest,
    ::testing::Values(
        CompareCase{"equal", {}, {" No differences: the chip now reads as the buffer"}},
        CompareCase{"one byte",
                    {{0x12, 0x7F}},
                    {" 0x00012  Ram = FF  27C32 = 7F", " 1 byte differs in 1 range"}},
        CompareCase{"first and last byte",
                    {{0x000, 0x00}, {0xFFF, 0x01}},
                    {" 0x00000  Ram = FF  27C32 = 00", " 0x00FFF  Ram = FF  27C32 = 01",
                     " 2 bytes differ in 2 ranges"}},
        CompareCase{"neighbours make one range",
                    {{0x100, 0x10}, {0x101, 0x11}, {0x102, 0x12}, {0x104, 0x14}},
                    {" 0x00100 - 0x00102  Ram = FF FF FF  27C32 = 10 11 12",
                     " 0x00104  Ram = FF  27C32 = 14", " 4 bytes differ in 2 ranges"}},
        CompareCase{"a long range shows its first bytes",
                    Run(0x800, 0x200),
                    {" 0x00800 - 0x009FF  Ram = FF FF FF FF FF FF FF FF ...  27C32 = 00 01 02 03 "
                     "04 05 06 07 ...",
                     " 512 bytes differ in 1 range"}},
        CompareCase{"beyond the chip's last address nothing counts",
                    {{0x1000, 0x00}},
                    {" No differences: the chip now reads as the buffer"}},
        CompareCase{"capped, with the total", EveryOther(150), Capped()}),
    [](const ::testing::TestParamInfo<CompareCase>& row) {
        std::string name;
        for (const char c : std::string(row.param.what)) name += std::isalnum(c) ? c : '_';
        return name;
    });

TEST(CompareAreas, ConfigurationThroughTheMasks) {
    DeviceBuilder pic('C', 0x7FF, "PIC16F84A");
    pic.Algorithm(5).ConfigType(19).ConfigMask({0x3F, 0xFF}).U8(DeviceRecord::kStepCaps, 0x17);
    Pair pair(pic);
    const auto areas = VerifiedAreas(pair.device, 0x11);  // code and configuration
    ASSERT_EQ(areas.size(), 2u);
    const std::uint32_t config = areas[1].offset;
    EXPECT_TRUE(areas[1].configMasked);
    // A bit the part lacks differs, and so does one it has.
    pair.chip[config] = pair.buffer[config] ^ 0xC0;
    pair.chip[config + 1] = pair.buffer[config + 1] ^ 0x01;
    const Differences found = CompareAreas(pair.buffer, pair.chip, pair.device, areas);
    EXPECT_EQ(found.bytes, 1u);
    ASSERT_EQ(found.ranges.size(), 1u);
    EXPECT_EQ(found.ranges[0].first, config + 1);
}

TEST(CompareAreas, AreasApartAreNeverOneRange) {
    DeviceBuilder pic('C', 0x7FF, "PIC16F84A");
    pic.Algorithm(5).ConfigType(19).ConfigMask({0x3F, 0xFF}).U8(DeviceRecord::kStepCaps, 0x17);
    Pair pair(pic);
    const auto areas = VerifiedAreas(pair.device, 0x01);
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].offset, 0u);
    // The code area a Verify compares leaves out nothing but what it never writes.
    EXPECT_LE(areas[0].length, 0x800u);
}

// The chip in the virtual socket differs from the buffer at three places.
class DifferencesCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DeviceBuilder chip('E', 0x7FFF, "27C256");
        chip.Algorithm(3).Caps(0xFF, 0x05);
        dir.Write("KARVO_e.usb", {{"AMD", {chip}}});
        rig = std::make_unique<Rig>();
        rig->presenter.AttachOperations(ui, windows);
        rig->presenter.StartUp();
        PickDevice pick(-1, 0, 0);
        rig->presenter.State().settings.DataFileName = "KARVO_e.usb";
        SelectCommand(rig->presenter.Session()).Run(pick);
    }
    void SetChip(std::uint32_t address, std::uint8_t value) {
        rig->programmer.WithSocket(
            [&](std::optional<ChipModel>& c) { c->Area('e')->bytes[address] = value; });
    }
    void Run(char op) {
        rig->presenter.RunOperation(op);
        ui.RunPending();
    }
    std::vector<std::uint8_t> Buffer() {
        const MemoryBuffer& b = rig->presenter.Buffer();
        return {b.Data(), b.Data() + b.Allocated};
    }

    struct Shown final : DifferencesViewPort {
        void Show(const std::string& devName, const Lines& lines_) override {
            name = devName;
            lines = lines_;
            ++shown;
        }
        std::string name;
        Lines lines;
        int shown = 0;
    };

    ScratchProgramDir dir;
    QueuedUiThread ui;
    HeadlessProgressFactory windows{ui};
    std::unique_ptr<Rig> rig;
};

TEST_F(DifferencesCommandTest, ListsExactlyTheThreeAndLeavesTheBufferAlone) {
    MemoryBuffer& buffer = rig->presenter.Buffer();
    buffer[0x0040] = 0x12;  // as a user's image would have it
    SetChip(0x0040, 0x12);
    SetChip(0x0100, 0x7F);
    SetChip(0x4001, 0x00);
    SetChip(0x7FFF, 0xA5);
    OperationEngine& engine = *rig->presenter.Engine();
    Run('V');
    ASSERT_TRUE(engine.VerifyFailed());
    const auto before = Buffer();
    const std::string checksum = rig->presenter.Panel().Label(PanelLabel::CheckL);

    Shown shown;
    ASSERT_TRUE(DifferencesCommand(rig->presenter.Session(), engine).Run(shown));
    ui.RunPending();
    EXPECT_EQ(shown.shown, 1);
    EXPECT_EQ(shown.name, "27C256");
    EXPECT_EQ(shown.lines,
              (Lines{" 0x00100  Ram = FF  27C256 = 7F", " 0x04001  Ram = FF  27C256 = 00",
                     " 0x07FFF  Ram = FF  27C256 = A5", " 3 bytes differ in 3 ranges"}));
    EXPECT_EQ(Buffer(), before);
    EXPECT_EQ(rig->presenter.Panel().Label(PanelLabel::CheckL), checksum);
    // Still offered: the chip has not changed.
    EXPECT_TRUE(engine.VerifyFailed());
    // Any other operation ends the offer.
    Run('B');
    EXPECT_FALSE(engine.VerifyFailed());
}

TEST_F(DifferencesCommandTest, OnlyAFailedVerifyOffersTheList) {
    OperationEngine& engine = *rig->presenter.Engine();
    Run('V');
    EXPECT_FALSE(engine.VerifyFailed());
    SetChip(0x10, 0x00);
    Run('V');
    EXPECT_TRUE(engine.VerifyFailed());
    engine.ForgetVerify();
    EXPECT_FALSE(engine.VerifyFailed());
}

TEST_F(DifferencesCommandTest, AChipThatCannotBeReadListsNothing) {
    SetChip(0x10, 0x00);
    Run('V');
    rig->programmer.Refuse("eR");
    const auto before = Buffer();
    Shown shown;
    EXPECT_FALSE(DifferencesCommand(rig->presenter.Session(), *rig->presenter.Engine()).Run(shown));
    ui.RunPending();
    EXPECT_EQ(shown.shown, 0);
    EXPECT_EQ(rig->log.lines.back(), " Differences: the chip could not be read");
    EXPECT_EQ(Buffer(), before);
}

}  // namespace
}  // namespace karvo::test
