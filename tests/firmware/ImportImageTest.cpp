// The bootloader's regions, the layout checks made before anything is erased,
// address translation and the import of an image.
#include <gtest/gtest.h>

#include "FirmwareTestSupport.h"
#include "firmware/DeviceData.h"

namespace karvo::test {
namespace {

struct RegionRow {
    std::uint8_t type;
    std::uint32_t start;
    std::uint32_t size;
};

BootReply Query(int payload, int family, const std::vector<RegionRow>& regions,
                bool marker = false) {
    BootReply reply{};
    reply[0] = BootCommand::Query;
    reply[1] = static_cast<std::uint8_t>(payload);
    reply[2] = static_cast<std::uint8_t>(family);
    std::size_t slot = 0;
    for (const RegionRow& r : regions) {
        reply[3 + 9 * slot] = r.type;
        WriteLe32(&reply[4 + 9 * slot], r.start);
        WriteLe32(&reply[8 + 9 * slot], r.size);
        ++slot;
    }
    if (slot < 6) reply[3 + 9 * slot] = 0xFF;
    if (marker) reply[57] = 0xA5;
    return reply;
}

Device Loaded(const BootReply& query) {
    Device device;
    LoadRegions(query, device);
    return device;
}

// A record line from its fields, with its checksum.
std::string Record(int type, std::uint16_t address, const std::vector<std::uint8_t>& data) {
    unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8) + (address & 0xFF) +
                   static_cast<unsigned>(type);
    char head[16];
    std::snprintf(head, sizeof head, ":%02X%04X%02X", static_cast<unsigned>(data.size()), address,
                  static_cast<unsigned>(type));
    std::string line = head;
    for (std::uint8_t b : data) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", b);
        line += byte;
        sum += b;
    }
    char check[4];
    std::snprintf(check, sizeof check, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return line + check;
}

const std::string kEnd = ":00000001FF";

struct Imported {
    int result;
    DeviceData regions;
    ImportStats stats;
};

Imported Import(const Device& device, const std::vector<std::string>& lines) {
    Imported out{0, PrepareImageRegions(device), {}};
    out.result = ImportImage(ImageOf(lines).storedLines, device, out.regions, &out.stats);
    return out;
}

const Device kPlain = Loaded(Query(56, 1, {{1, 0x1000, 0x100}, {3, 0x300000, 14}}));

TEST(LoadRegions, ReadsRegionsAndFamilyParameters) {
    const Device d =
        Loaded(Query(58, 2, {{1, 0x400, 0x100}, {2, 0x7FF000, 0x80}, {3, 0xF80000, 12}}, true));
    EXPECT_EQ(d.payloadSize, 58);
    EXPECT_EQ(d.programBytesPerWord, 4);
    EXPECT_EQ(d.programBytesPerAddress, 2);
    ASSERT_EQ(d.regions.ranges.size(), 3u);
    EXPECT_EQ(d.regions.ranges[0].end, 0x500u);
    EXPECT_EQ(d.regions.ranges[0].bufferLength, 0x200u);
    EXPECT_EQ(d.regions.ranges[1].bufferLength, 0x80u) << "data EEPROM: one byte an address";
    EXPECT_EQ(d.regions.ranges[2].bufferLength, 24u);
    EXPECT_TRUE(d.extended.supported);
}

TEST(LoadRegions, FirstTypeEndMarkerMeansNoRegions) {
    const Device d = Loaded(Query(56, 1, {}));
    EXPECT_TRUE(d.regions.ranges.empty());
    EXPECT_FALSE(d.extended.supported);
    EXPECT_NE(CheckLayout(d), "");
}

TEST(LoadRegions, LeavesOutRegionTypesItCannotWrite) {
    const Device d =
        Loaded(Query(56, 1, {{1, 0x1000, 0x100}, {7, 0x8000, 0x100}, {3, 0x300000, 14}}));
    ASSERT_EQ(d.regions.ranges.size(), 2u);
    EXPECT_EQ(d.regions.ranges[1].type, 3);
}

TEST(LoadRegions, ClampsSizesAndAllocatesNothing) {
    const Device d = Loaded(Query(56, 1, {{1, 0x1000, 0xFFFFFFFF}}));
    EXPECT_EQ(d.regions.ranges[0].bufferLength, 0x0FFFFFFFu);
    EXPECT_TRUE(d.regions.ranges[0].buffer.empty()) << "no gigabytes for a claim";
}

// Reasons to stop before erasing that the sequence's fault table does not
// reach, with the normal layout as the control.
TEST(CheckLayout, RefusesWhatCannotBeWrittenSafely) {
    struct Case {
        const char* what;
        BootReply query;
        std::uint32_t page = 64;
        std::uint32_t signature = 0x1004;
        bool refused = true;
    };
    const std::vector<RegionRow> normal{{1, 0x1000, 0x7000}, {3, 0x300000, 14}};
    const Case cases[] = {
        {"normal", Query(56, 1, normal, true), 64, 0x1004, false},
        {"no program memory", Query(56, 1, {{3, 0x300000, 14}}, true)},
        {"wrapping", Query(56, 1, {{1, 0x1000, 0x7000}, {1, 0xFFFFF000, 0x2000}}, true)},
        {"overlap", Query(56, 1, {{1, 0x1000, 0x7000}, {1, 0x7000, 0x2000}}, true)},
        {"page 8197", Query(56, 1, normal, true), 8197},
        {"page beyond memory", Query(56, 1, {{1, 0x1000, 0x40}}, true), 0x80, 0x1004},
        {"signature outside", Query(56, 1, normal, true), 64, 0x8000},
        {"family 3 ignores the page", Query(56, 3, normal, true), 0, 0x1004, false},
        {"no extended information", Query(56, 1, normal, false), 0, 0, false},
    };
    for (const Case& c : cases) {
        Device d = Loaded(c.query);
        d.extended.erasePageSize = c.page;
        d.extended.signatureAddress = c.signature;
        const std::string problem = CheckLayout(d);
        EXPECT_EQ(!problem.empty(), c.refused) << c.what << ": " << problem;
        if (c.refused) {
            EXPECT_NE(problem.find("nothing was erased"), std::string::npos) << c.what;
        }
    }
}

TEST(TranslateAddress, TwoBytesPerAddressLandsWithinTheWord) {
    const Device d = Loaded(Query(56, 2, {{1, 0x400, 0x100}}));
    const DeviceData image = PrepareImageRegions(d);
    const auto where = TranslateAddress(0x0801, d, image);
    ASSERT_TRUE(where);
    EXPECT_EQ(where->region, 0u);
    EXPECT_EQ(where->position, 1u);
    EXPECT_FALSE(TranslateAddress(0x07FF, d, image));
    EXPECT_FALSE(TranslateAddress(0xA00, d, image));
}

TEST(ImportImage, EndOfFileAloneHasNothingInRange) {
    EXPECT_EQ(Import(kPlain, {kEnd}).result, kNothingInRange);
}

TEST(ImportImage, ChecksumOffByOneStopsAtThatLine) {
    std::string bad = Record(0, 0x1010, {9, 9});
    bad.back() = bad.back() == '0' ? '1' : static_cast<char>(bad.back() - 1);
    const Imported got =
        Import(kPlain, {Record(0, 0x1000, {1, 2}), bad, Record(0, 0x1020, {3}), kEnd});
    EXPECT_EQ(got.result, kMalformedRecord);
    EXPECT_EQ(got.regions.ranges[0].buffer[0], 1) << "earlier lines stay";
    EXPECT_EQ(got.regions.ranges[0].buffer[0x10], 0xFF);
    EXPECT_EQ(got.regions.ranges[0].buffer[0x20], 0xFF);
}

TEST(ImportImage, BlankLineBeforeTheEndIsMalformed) {
    EXPECT_EQ(Import(kPlain, {Record(0, 0x1000, {1}), "", kEnd}).result, kMalformedRecord);
}

TEST(ImportImage, ExtendedLinearAddressMovesTheData) {
    const Imported got = Import(kPlain, {Record(0, 0x1000, {7}), Record(4, 0, {0x00, 0x30}),
                                         Record(0, 0x0000, {0xAB, 0xCD}), kEnd});
    ASSERT_EQ(got.result, kImported);
    EXPECT_EQ(got.regions.ranges[1].buffer[0], 0xAB) << "image address 0x300000";
    EXPECT_EQ(got.regions.ranges[1].buffer[1], 0xCD);
}

TEST(ImportImage, ExtendedSegmentAddressCountsSixteens) {
    const Imported got =
        Import(kPlain, {Record(2, 0, {0x01, 0x00}), Record(0, 0x0004, {0x42}), kEnd});
    ASSERT_EQ(got.result, kImported);
    EXPECT_EQ(got.regions.ranges[0].buffer[4], 0x42) << "0x100 * 16 + 4";
}

TEST(ImportImage, DataOutsideEveryRegionIsSkippedAndCounted) {
    const Imported some = Import(kPlain, {Record(0, 0x0800, {1, 2}), Record(0, 0x1000, {3}), kEnd});
    EXPECT_EQ(some.result, kImported);
    EXPECT_EQ(some.stats.outside, 2u);
    EXPECT_EQ(some.stats.firstOutside, 0x800u);
    EXPECT_EQ(some.stats.storedInProgram, 1u);
    EXPECT_EQ(Import(kPlain, {Record(0, 0x0800, {1, 2}), kEnd}).result, kNothingInRange);
}

TEST(ImportImage, RegionAtZeroHasNoBufferPosition) {
    const Device d = Loaded(Query(56, 1, {{1, 0, 0x8000}}));
    EXPECT_EQ(Import(d, {Record(0, 0x1000, {1}), kEnd}).result, kNoBufferPosition);
}

TEST(ImportImage, AddressPlusOffsetIsNotWrappedAtSixteenBits) {
    const Device d = Loaded(Query(56, 1, {{1, 0x10000, 0x100}}));
    const Imported got = Import(d, {Record(0, 0xFFFF, {1, 2}), kEnd});
    ASSERT_EQ(got.result, kImported);
    EXPECT_EQ(got.regions.ranges[0].buffer[0], 2);
}

// The record must hold what its length promises before anything of it is
// read; an address record holds exactly its two bytes.
TEST(ImportImage, ShortOrMisshapenRecordsAreMalformed) {
    const std::vector<std::vector<std::string>> cases = {
        {":10100000010203"},                               // promises 16 bytes
        {Record(4, 0, {}), Record(0, 0x1000, {1}), kEnd},  // type 4 without its value
        {Record(2, 0, {}), Record(0, 0x1000, {1}), kEnd},  // type 2 without its value
        {Record(4, 0, {0, 0, 0}), Record(0, 0x1000, {1}), kEnd},
        {":0110000GZZ00", kEnd},  // not hex
        {"1010000001", kEnd},     // no colon
        {":0000000", kEnd},       // ten characters or fewer
    };
    for (const auto& lines : cases)
        EXPECT_EQ(Import(kPlain, lines).result, kMalformedRecord) << lines[0];
}

TEST(ImportImage, LowerCaseDigitsAndOtherRecordTypesAreFine) {
    std::string lower = Record(0, 0x10AB, {0xAB});
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const Imported got = Import(kPlain, {Record(5, 0, {0, 0, 0, 0}), lower, kEnd});
    ASSERT_EQ(got.result, kImported);
    EXPECT_EQ(got.regions.ranges[0].buffer[0xAB], 0xAB);
}

TEST(ImportImage, StopsAtTheEndOfFileRecord) {
    const Imported got = Import(kPlain, {Record(0, 0x1000, {1}), kEnd, "garbage"});
    EXPECT_EQ(got.result, kImported);
}

TEST(ImportImage, FailureTextsAreTheWindowsLines) {
    EXPECT_EQ(ImportFailureText(2),
              "No address within range in file.  Verify the correct firmware image was specified "
              "and is designed for your device.");
    EXPECT_EQ(ImportFailureText(3),
              "Error in hex file.  Please make sure the firmware image supplied was designed for "
              "the device to be programmed.");
    EXPECT_EQ(ImportFailureText(4),
              "Memory allocation failed.  Please close other applications to free up system RAM "
              "and try again.");
}

}  // namespace
}  // namespace karvo::test
