#include <algorithm>

#include <fmt/format.h>

#include "support/FileTestSupport.h"

namespace karvo::test {
namespace {

constexpr auto kIntel = FileFormat::FormatIntelHex;

const DeviceRecord kEprom2K = DeviceBuilder('E', 0x7FF);
const DeviceRecord kEprom64K = DeviceBuilder('E', 0xFFFF);
const DeviceRecord kEprom128K = DeviceBuilder('E', 0x1FFFF);
const DeviceRecord kFlash2M = DeviceBuilder('E', 0x1FFFFF);
const DeviceRecord kMicro4K = DeviceBuilder('M', 0xFFF);

TEST(IntelHexWriter, TwoKilobytePartIs128RecordsAndTheEndRecord) {
    const MemoryBuffer buffer = PatternBuffer(kEprom2K);
    const std::string text = WriteText(kIntel, buffer, kEprom2K, 0, 0x7FF);
    const Lines lines = SplitLines(text, "\r\n");
    ASSERT_EQ(lines.size(), 129u);
    EXPECT_EQ(lines[0], ":1000000000070E151C232A31383F464D545B6269A8");
    EXPECT_EQ(lines[127], ":1007F000979EA5ACB3BAC1C8CFD6DDE4EBF2F90041");
    EXPECT_EQ(lines[128], ":00000001FF");
    EXPECT_EQ(text.substr(text.size() - 13), ":00000001FF\r\n");
    for (std::size_t i = 0; i < 128; ++i) {
        EXPECT_EQ(lines[i].substr(0, 9), fmt::format(":10{:04X}00", i * 16)) << i;
        EXPECT_EQ(lines[i].size(), 43u) << i;
    }
}

TEST(IntelHexWriter, SixtyFourKilobytesEndWithTheNextLinearAddress) {
    const MemoryBuffer buffer = PatternBuffer(kEprom64K);
    const Lines lines = SplitLines(WriteText(kIntel, buffer, kEprom64K, 0, 0xFFFF), "\r\n");
    ASSERT_EQ(lines.size(), 4096u + 2);
    EXPECT_EQ(lines[0], ":1000000000070E151C232A31383F464D545B6269A8");
    EXPECT_EQ(
        Lines(lines.end() - 3, lines.end()),
        (Lines{":10FFF0008F969DA4ABB2B9C0C7CED5DCE3EAF1F8C9", ":020000040001F9", ":00000001FF"}));
}

TEST(IntelHexWriter, PartsAbove64KilobytesStartWithASegmentRecord) {
    const MemoryBuffer buffer = PatternBuffer(kEprom128K);
    const Lines lines = SplitLines(WriteText(kIntel, buffer, kEprom128K, 0, 0x1FFFF), "\r\n");
    ASSERT_EQ(lines.size(), 1u + 8192 + 2 + 1);
    EXPECT_EQ(lines[0], ":020000020000FC");
    EXPECT_EQ(Lines(lines.begin() + 4096, lines.begin() + 4099),
              (Lines{":10FFF0008F969DA4ABB2B9C0C7CED5DCE3EAF1F8C9", ":020000040001F9",
                     ":10000000353C434A51585F666D747B828990979E58"}));
    EXPECT_EQ(
        Lines(lines.end() - 3, lines.end()),
        (Lines{":10FFF000C4CBD2D9E0E7EEF5FC030A11181F262D79", ":020000040002F8", ":00000001FF"}));
}

TEST(IntelHexWriter, RangeStartsWithItsSegmentAndTheRestOfItsParagraph) {
    const MemoryBuffer buffer = PatternBuffer(kEprom128K);
    EXPECT_EQ(WriteText(kIntel, buffer, kEprom128K, 0x12345, 0x12364),
              ":020000021234B6\r\n"
              ":100005003B424950575E656C737A81888F969DA4F3\r\n"
              ":10001500ABB2B9C0C7CED5DCE3EAF1F8FF060D14E3\r\n"
              ":00000001FF\r\n");
}

TEST(IntelHexWriter, SmallPartsWriteNoAddressRecordsForTheirOwnRange) {
    const MemoryBuffer buffer = PatternBuffer(kEprom2K);
    EXPECT_EQ(WriteText(kIntel, buffer, kEprom2K, 0x7F0, 0x7F3),
              ":04"
              "07F000"
              "979EA5AC"
              "7F\r\n:00000001FF\r\n");
}

// Where the records' 16-bit addresses would wrap, a linear address record
// says where the data goes on, so every byte reloads where it was.
TEST(IntelHexWriter, RecordsStopWhereTheirAddressesWrap) {
    const MemoryBuffer buffer = PatternBuffer(kEprom128K);
    const Lines lines = SplitLines(WriteText(kIntel, buffer, kEprom128K, 5, 0x10014), "\r\n");
    const auto at =
        std::find(lines.begin(), lines.end(), ":10FFE500424950575E656C737A81888F969DA4ABA4");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(Lines(at, lines.end()), (Lines{":10FFE500424950575E656C737A81888F969DA4ABA4",
                                             ":0BFFF500B2B9C0C7CED5DCE3EAF1F8DA", ":020000040001F9",
                                             ":10000000353C434A51585F666D747B828990979E58",
                                             ":05001000A5ACB3BAC16C", ":00000001FF"}));
}

TEST(IntelHexWriter, AfterASegmentBaseTheLinearRecordKeepsTheTrueAddress) {
    const MemoryBuffer buffer = PatternBuffer(kEprom128K);
    const Lines lines = SplitLines(WriteText(kIntel, buffer, kEprom128K, 0x100, 0x1010F), "\r\n");
    EXPECT_EQ(lines[0], ":020000020010EC");
    EXPECT_EQ(lines[1], ":1000000001080F161D242B323940474E555C636A98");
    EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
              (Lines{":10FFF000C5CCD3DAE1E8EFF6FD040B121920272E69", ":020000040001F9",
                     ":10010000363D444B525960676E757C838A91989F47", ":00000001FF"}));
}

TEST(IntelHexWriter, RangeAbove64KilobytesOfASmallPartStartsWithItsLinearAddress) {
    const MemoryBuffer buffer = PatternBuffer(kMicro4K);
    EXPECT_EQ(WriteText(kIntel, buffer, kMicro4K, 0x10000, 0x1001F),
              ":020000040001F9\r\n"
              ":10000000353C434A51585F666D747B828990979E58\r\n"
              ":10001000A5ACB3BAC1C8CFD6DDE4EBF2F900070E48\r\n"
              ":00000001FF\r\n");
}

TEST(IntelHexWriter, RangeBeyondTheFirstMegabyteUsesALinearAddress) {
    const MemoryBuffer buffer = PatternBuffer(kFlash2M);
    EXPECT_EQ(WriteText(kIntel, buffer, kFlash2M, 0x100000, 0x10000F),
              ":020000040010EA\r\n"
              ":1000000050575E656C737A81888F969DA4ABB2B9A8\r\n"
              ":00000001FF\r\n");
}

TEST(IntelHexWriter, ProgressFollowsTheRecordsInWholePercents) {
    const MemoryBuffer buffer = PatternBuffer(kEprom2K);
    RecordingProgress progress;
    WriteText(kIntel, buffer, kEprom2K, 0, 0x7FF, &progress);
    ASSERT_FALSE(progress.positions.empty());
    EXPECT_EQ(progress.positions.back(), 100);
    for (std::size_t i = 1; i < progress.positions.size(); ++i) {
        EXPECT_GT(progress.positions[i], progress.positions[i - 1]);
    }
    // 128 records, 100 distinct percentages at most.
    EXPECT_LE(progress.positions.size(), 100u);
}

}  // namespace
}  // namespace karvo::test
