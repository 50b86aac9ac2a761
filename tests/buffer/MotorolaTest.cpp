#include "support/FileTestSupport.h"

namespace karvo::test {
namespace {

constexpr auto kMotorola = FileFormat::FormatMotorola;

const DeviceRecord kEprom2K = DeviceBuilder('E', 0x7FF);
const DeviceRecord kEprom128K = DeviceBuilder('E', 0x1FFFF);
const DeviceRecord kEprom256K = DeviceBuilder('E', 0x3FFFF);

const std::string kS1 = "S107000001020304EE\n";
const std::string kS9 = "S9030000FC\n";

std::unique_ptr<LoadRun> Load(const DeviceRecord& device, const std::string& text,
                              std::int64_t offset = 0) {
    return LoadText(device, text, Format(kMotorola, FillChoice::DeviceDefault, offset),
                    "/files/test.mot");
}

Lines Loaded(const std::string& highest, const std::string& lowest) {
    return {"", " File /files/test.mot Loaded", " Highest Load Address : " + highest,
            " Lowest Load Address  : " + lowest};
}

TEST(MotorolaReader, EveryDataRecordKindAndTheOthersPassedOver) {
    const auto run = Load(kEprom256K, "S00600004844521B\r\n" + kS1 +
                                          "S206012345050685\r\nS3080002345607080953\r\n"
                                          "S5030003F9\r\n" +
                                          kS9);
    EXPECT_TRUE(run->outcome.Loaded());
    EXPECT_EQ(run->host.lines, Loaded("23458", "0"));
    EXPECT_EQ(run->Bytes(0, 5), (std::vector<std::uint8_t>{1, 2, 3, 4, 0xFF}));
    EXPECT_EQ(run->Bytes(0x12345, 2), (std::vector<std::uint8_t>{5, 6}));
    EXPECT_EQ(run->Bytes(0x23456, 3), (std::vector<std::uint8_t>{7, 8, 9}));
}

TEST(MotorolaReader, S7S8AndS9EachEndTheFile) {
    for (const std::string& end :
         {std::string("S70500000000FA\n"), std::string("S804000000FB\n"), kS9}) {
        const auto run = Load(kEprom2K, kS1 + end + "S1XX");
        EXPECT_TRUE(run->outcome.Loaded()) << end;
        EXPECT_EQ(run->host.lines, Loaded("3", "0"));
    }
}

TEST(MotorolaReader, AnythingBeforeTheFirstRecordIsNotAMotorolaFile) {
    for (const std::string& lead :
         {std::string("\n"), std::string(" "), std::string("s"), std::string(":")}) {
        const auto run = Load(kEprom2K, lead + kS1 + kS9);
        EXPECT_EQ(run->outcome.end, LoadEnd::WrongFormat);
        EXPECT_EQ(run->host.lines, (Lines{" ", " File isn't a motorola file"}));
        EXPECT_EQ(run->host.errorSounds, 0);
    }
}

TEST(MotorolaReader, WrongChecksumKeepsTheBytesBeforeIt) {
    const auto run = Load(kEprom2K, kS1 + "S1040100A556\n" + kS9);
    EXPECT_EQ(run->outcome.result, LoadResult::ResultChecksum);
    EXPECT_EQ(run->host.lines, (Lines{" Checksum Error "}));
    EXPECT_EQ(run->host.errorSounds, 1);
    EXPECT_EQ(run->At(3), 4);
}

TEST(MotorolaReader, NoEndRecordIsNotMotorola) {
    const auto run = Load(kEprom2K, kS1);
    EXPECT_EQ(run->outcome.result, LoadResult::ResultNotMotorola);
    EXPECT_EQ(run->host.lines, (Lines{" Not Motorola S-record format"}));
    EXPECT_EQ(run->At(0), 1);
}

TEST(MotorolaReader, OffsetAppliesButNoExtension) {
    const auto run = Load(kEprom2K, "S1040100A555\n" + kS9, 0x100);
    EXPECT_EQ(run->host.lines, Loaded("200", "200"));
    EXPECT_EQ(run->At(0x200), 0xA5);
}

TEST(MotorolaReader, BrokenRecords) {
    const auto conversion = Load(kEprom2K, "S1070000XX020304EE\n" + kS9);
    EXPECT_EQ(conversion->outcome.end, LoadEnd::ConversionError);
    EXPECT_EQ(conversion->outcome.conversionError, "''0xXX'' is not a valid integer value");

    for (const std::string& cut :
         {std::string("S"), std::string("S1070000010"), std::string("S503000")}) {
        const auto truncated = Load(kEprom2K, kS1 + cut);
        EXPECT_EQ(truncated->outcome.result, LoadResult::ResultNotMotorola) << cut;
        EXPECT_EQ(truncated->host.fileErrors, 0);
        EXPECT_EQ(truncated->host.lines, (Lines{" Not Motorola S-record format"}));
    }
}

// A file may end with its count record instead of an end record: complete
// when S5 (16 bits) or S6 (24 bits) counts the data records read and nothing
// follows it.
TEST(MotorolaReader, AMatchingCountRecordCompletesTheFile) {
    const std::string header = "S00600004844521B\n";
    const std::string two = kS1 + "S10500040506EB\n";
    struct Case {
        std::string text;
        bool complete;
    };
    const Case cases[] = {
        {header + two + "S5030002FA\n", true},
        {header + two + "S5030002FA\r\n\r\n", true},
        {two + "S604000002F9\n", true},
        {two + "S5030001FB\n", false},              // counts one record too few
        {two + "S5030002FB\n", false},              // checksum wrong
        {two + "S5030002FA\n" + kS1, false},        // data after the count
        {two + "S5030002FA\nS5030003F9\n", false},  // the last count is wrong
        {two + "S50300XXFA\n", false},              // not a count at all
    };
    for (const Case& c : cases) {
        const auto run = Load(kEprom2K, c.text);
        EXPECT_EQ(run->outcome.Loaded(), c.complete) << c.text;
        EXPECT_EQ(run->Bytes(0, 7), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 0xFF}));
    }
}

TEST(MotorolaReader, AnS1RecordRunsOnPastItsLastAddress) {
    const auto run = Load(kEprom128K, "S105FFFF0102F9\n" + kS9);
    EXPECT_EQ(run->host.lines, Loaded("10000", "FFFF"));
}

TEST(MotorolaWriter, ThirtyThreeBytesAreTwoS1RecordsAndS9) {
    const MemoryBuffer buffer = PatternBuffer(kEprom2K);
    EXPECT_EQ(WriteText(kMotorola, buffer, kEprom2K, 0, 0x20),
              "S123000000070E151C232A31383F464D545B626970777E858C939AA1A8AFB6BDC4CBD2D94C\n"
              "S1040020E0FB\n"
              "S9030000FC\n");
}

TEST(MotorolaWriter, AboveSixtyFourKilobytesS2RecordsOf31Bytes) {
    const MemoryBuffer buffer = PatternBuffer(kEprom128K);
    EXPECT_EQ(WriteText(kMotorola, buffer, kEprom128K, 0x10000, 0x1003F),
              "S223010000353C434A51585F666D747B828990979EA5ACB3BAC1C8CFD6DDE4EBF2F90007B9\n"
              "S22301001F0E151C232A31383F464D545B626970777E858C939AA1A8AFB6BDC4CBD2D9E053\n"
              "S20601003EE7EEE5\n"
              "S9030000FC\n");
}

TEST(MotorolaWriter, AnS1RecordStopsAt64Kilobytes) {
    const MemoryBuffer buffer = PatternBuffer(kEprom128K);
    EXPECT_EQ(WriteText(kMotorola, buffer, kEprom128K, 0xFFF0, 0x1000F),
              "S113FFF08F969DA4ABB2B9C0C7CED5DCE3EAF1F8C5\n"
              "S214010000353C434A51585F666D747B828990979E52\n"
              "S9030000FC\n");
}

TEST(MotorolaWriter, WholeTwoKilobytePartIs64Records) {
    const MemoryBuffer buffer = PatternBuffer(kEprom2K);
    const Lines lines = SplitLines(WriteText(kMotorola, buffer, kEprom2K, 0, 0x7FF), "\n");
    ASSERT_EQ(lines.size(), 65u);
    for (std::size_t i = 0; i < 64; ++i) {
        EXPECT_EQ(lines[i].substr(0, 4), "S123") << i;
    }
    EXPECT_EQ(lines.back(), "S9030000FC");
}

TEST(MotorolaRoundTrip, WhatIsWrittenLoadsBackByteForByte) {
    const MemoryBuffer buffer = PatternBuffer(kEprom256K);
    const std::string text = WriteText(kMotorola, buffer, kEprom256K, 0x0FFE1, 0x2F00F);
    const auto run = Load(kEprom256K, text);
    EXPECT_EQ(run->host.lines, Loaded("2F00F", "FFE1"));
    for (std::uint32_t i = 0x0FFE1; i <= 0x2F00F; ++i) ASSERT_EQ(run->At(i), buffer[i]) << i;
}

}  // namespace
}  // namespace karvo::test
