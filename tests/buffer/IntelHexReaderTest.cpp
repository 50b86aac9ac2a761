#include <fmt/format.h>

#include "support/FileTestSupport.h"

namespace karvo::test {
namespace {

const DeviceRecord kEprom2K = DeviceBuilder('E', 0x7FF);
const DeviceRecord kEprom128K = DeviceBuilder('E', 0x1FFFF);

const std::string kSixteen = ":10000000000102030405060708090A0B0C0D0E0F78\r\n";
const std::string kEnd = ":00000001FF\r\n";

Lines Loaded(const std::string& highest, const std::string& lowest) {
    return {"", " File /files/test.hex Loaded", " Highest Load Address : " + highest,
            " Lowest Load Address  : " + lowest};
}

TEST(IntelHexReader, DataRecordsLandAtTheirAddresses) {
    const auto run = LoadText(kEprom2K, kSixteen + ":02001000AABB89\r\n" + kEnd);
    EXPECT_TRUE(run->outcome.Loaded());
    EXPECT_EQ(run->host.lines, Loaded("11", "0"));
    EXPECT_EQ(run->Bytes(0, 4), (std::vector<std::uint8_t>{0x00, 0x01, 0x02, 0x03}));
    EXPECT_EQ(run->At(0x0F), 0x0F);
    EXPECT_EQ(run->At(0x10), 0xAA);
    EXPECT_EQ(run->At(0x11), 0xBB);
    EXPECT_EQ(run->At(0x12), 0xFF);  // the device default fill
    EXPECT_EQ(run->buffer.HighestLoaded, 0x11u);
    EXPECT_EQ(run->buffer.LowestLoaded, 0u);
    // The end record's own address is where the pointer was left.
    EXPECT_EQ(run->buffer.LoadPointer, 0u);
    EXPECT_EQ(run->host.errorSounds, 0);
}

TEST(IntelHexReader, LowerCaseDigitsAndLineFeedsAlone) {
    const auto run = LoadText(kEprom2K, ":02001000aabb89\n:00000001ff\n");
    EXPECT_EQ(run->host.lines, Loaded("11", "10"));
    EXPECT_EQ(run->At(0x10), 0xAA);
}

TEST(IntelHexReader, AnythingBeforeTheFirstRecordIsNotAHexFile) {
    for (const std::string& lead : {std::string(" "), std::string("\r\n"), std::string("\n"),
                                    std::string("\xEF\xBB\xBF"), std::string("S1")}) {
        const auto run = LoadText(kEprom2K, lead + kSixteen + kEnd);
        EXPECT_EQ(run->outcome.end, LoadEnd::WrongFormat);
        EXPECT_EQ(run->host.lines, (Lines{" ", " File isn't a hex file"}));
        EXPECT_EQ(run->host.errorSounds, 0);
        // The fill made before reading stays.
        EXPECT_EQ(run->At(0), 0xFF);
    }
}

TEST(IntelHexReader, NoEndRecordIsNotIntelHexAfterStoringTheData) {
    const auto run = LoadText(kEprom2K, kSixteen);
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNotIntelHex);
    EXPECT_EQ(run->host.lines, (Lines{" Not Intel Hex Format"}));
    EXPECT_EQ(run->host.errorSounds, 1);
    EXPECT_EQ(run->At(0x0E), 0x0E);
}

TEST(IntelHexReader, EmptyFileIsNotIntelHex) {
    const auto run = LoadText(kEprom2K, "");
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNotIntelHex);
    EXPECT_EQ(run->host.lines, (Lines{" Not Intel Hex Format"}));
}

// The format allows 255 data bytes a record, and other tools write them.
TEST(IntelHexReader, RecordsUpTo255BytesLoad) {
    for (const int length : {0x41, 0xFF}) {
        std::string record = fmt::format(":{:02X}000000", length);
        std::uint8_t sum = static_cast<std::uint8_t>(length);
        for (int i = 0; i < length; ++i) {
            record += fmt::format("{:02X}", i);
            sum += static_cast<std::uint8_t>(i);
        }
        record += fmt::format("{:02X}\r\n", static_cast<std::uint8_t>(-sum));
        const auto run = LoadText(kEprom2K, record + kEnd);
        EXPECT_TRUE(run->outcome.Loaded()) << length;
        EXPECT_EQ(run->host.lines, Loaded(fmt::format("{:X}", length - 1), "0"));
        EXPECT_EQ(run->At(static_cast<std::uint32_t>(length - 1)), length - 1);
    }
}

TEST(IntelHexReader, UnknownRecordTypeIsNotIntelHex) {
    const auto run = LoadText(kEprom2K, ":0100000601F8\r\n" + kEnd);
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNotIntelHex);
    EXPECT_EQ(run->host.lines, (Lines{" Not Intel Hex Format"}));
}

TEST(IntelHexReader, ExtendedAddressRecordsMoveTheData) {
    const auto linear = LoadText(kEprom128K, ":020000040001F9\r\n" + kSixteen + kEnd);
    EXPECT_EQ(linear->host.lines, Loaded("1000F", "10000"));
    EXPECT_EQ(linear->At(0x10005), 0x05);

    const auto segment = LoadText(kEprom128K, ":020000021000EC\r\n" + kSixteen + kEnd);
    EXPECT_EQ(segment->host.lines, Loaded("1000F", "10000"));
    EXPECT_EQ(segment->At(0x1000F), 0x0F);

    // The last address record counts, whichever kind it is.
    const auto both =
        LoadText(kEprom128K, ":020000040001F9\r\n:020000021234B6\r\n" + kSixteen + kEnd);
    EXPECT_EQ(both->host.lines, Loaded("1234F", "12340"));
}

TEST(IntelHexReader, StartAddressRecordsArePassedOverUnchecked) {
    // The type 03 record's checksum is wrong on purpose: it is not tested.
    const auto run =
        LoadText(kEprom2K, ":0400000500000000F7\r\n:0400000300000000AA\r\n" + kSixteen + kEnd);
    EXPECT_TRUE(run->outcome.Loaded());
    EXPECT_EQ(run->host.lines, Loaded("F", "0"));
}

TEST(IntelHexReader, TheRestAfterTheEndRecordIsNotRead) {
    const auto run = LoadText(kEprom2K, kSixteen + kEnd + "garbage :zz");
    EXPECT_TRUE(run->outcome.Loaded());
}

TEST(IntelHexReader, ChecksumErrorKeepsWhatCameBefore) {
    const auto run = LoadText(kEprom2K, kSixteen + ":02001000AABB88\r\n" + kEnd);
    EXPECT_EQ(run->outcome.result, LoadResult::ResultChecksum);
    EXPECT_EQ(run->host.lines, (Lines{" Checksum Error "}));
    EXPECT_EQ(run->host.errorSounds, 1);
    EXPECT_EQ(run->At(0x0F), 0x0F);
    // The bad record's bytes were stored before its checksum was read.
    EXPECT_EQ(run->At(0x10), 0xAA);
}

TEST(IntelHexReader, NonHexDigitsEndTheLoadWithTheConversionError) {
    const auto run = LoadText(kEprom2K, kSixteen + ":02001000ZZBB89\r\n" + kEnd);
    EXPECT_EQ(run->outcome.end, LoadEnd::ConversionError);
    EXPECT_EQ(run->outcome.conversionError, "''0xZZ'' is not a valid integer value");
    EXPECT_TRUE(run->host.lines.empty());
    EXPECT_EQ(run->host.errorSounds, 0);
    EXPECT_EQ(run->progress.closes, 1);
    EXPECT_EQ(run->At(0x0F), 0x0F);

    const auto mixed = LoadText(kEprom2K, ":0G");
    EXPECT_EQ(mixed->outcome.conversionError, "''0x0G'' is not a valid integer value");
}

// A file cut off inside a record is incomplete, not a failing medium: the
// format's own result, no "File ERROR" box.
TEST(IntelHexReader, FileEndingInsideARecordIsNotIntelHex) {
    for (const std::string& cut :
         {std::string(":02001000AA"), std::string(":0"), std::string(":02001000AABB8")}) {
        const auto run = LoadText(kEprom2K, kSixteen + cut);
        EXPECT_EQ(run->outcome.result, LoadResult::ResultNotIntelHex) << cut;
        EXPECT_EQ(run->host.fileErrors, 0);
        EXPECT_EQ(run->host.errorSounds, 1);
        EXPECT_EQ(run->host.lines, (Lines{" Not Intel Hex Format"}));
        EXPECT_EQ(run->At(0x0F), 0x0F);
    }
}

TEST(IntelHexReader, OffsetsMoveEveryRecord) {
    const std::string at200 = ":0402000001020304F0\r\n" + kEnd;
    const auto added =
        LoadText(kEprom2K, kSixteen + kEnd,
                 Format(FileFormat::FormatIntelHex, FillChoice::DeviceDefault, 0x100));
    EXPECT_EQ(added->host.lines, Loaded("10F", "100"));
    EXPECT_EQ(added->At(0x100), 0x00);
    EXPECT_EQ(added->At(0x10F), 0x0F);

    const auto later =
        LoadText(kEprom2K, at200, Format(FileFormat::FormatIntelHex, FillChoice::Zero, 0x100));
    EXPECT_EQ(later->host.lines, Loaded("303", "300"));

    const auto lower =
        LoadText(kEprom2K, at200, Format(FileFormat::FormatIntelHex, FillChoice::Zero, -0x100));
    EXPECT_EQ(lower->host.lines, Loaded("103", "100"));
    EXPECT_EQ(lower->At(0x100), 0x01);
}

TEST(IntelHexReader, SubtractingBelowTheBufferDoesNotFit) {
    const auto run = LoadText(kEprom2K, ":040080000102030472\r\n" + kEnd,
                              Format(FileFormat::FormatIntelHex, FillChoice::Zero, -0x100));
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNoFit);
    EXPECT_EQ(run->host.lines, (Lines{" File doesn't fit in allocated buffer"}));
    EXPECT_EQ(run->host.errorSounds, 1);
}

TEST(IntelHexReader, DataBeyondTheBufferStopsAtThatByte) {
    // A 2 KB part loads into 128 KiB; the record starts 8 bytes before its end.
    const auto run = LoadText(kEprom2K,
                              ":020000040001F9\r\n"
                              ":10FFF800000102030405060708090A0B0C0D0E0F81\r\n" +
                                  kEnd);
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNoFit);
    EXPECT_EQ(run->host.lines, (Lines{" File doesn't fit in allocated buffer"}));
    EXPECT_EQ(run->At(0x1FFFF), 0x07);
    EXPECT_EQ(run->buffer.HighestLoaded, 0x1FFFFu);
}

}  // namespace
}  // namespace karvo::test
