// The notation the page tables are written in: what parses, what a choice
// writes, and how a control opens from the stored bits.
#include <gtest/gtest.h>

#include <array>

#include "config/ConfigStore.h"

namespace karvo::config {
namespace {

// Four configuration bytes with a mask, as a PIC part keeps them.
struct ArrayStore final : CellStore {
    std::array<std::uint8_t, 4> bytes{};
    std::array<std::uint8_t, 4> mask{0xFF, 0xFF, 0xFF, 0xFF};
    Storage Kind() const override { return Storage::PicArea; }
    bool Has(std::uint8_t cell) const override { return cell < bytes.size(); }
    std::uint8_t Read(std::uint8_t cell) const override { return Has(cell) ? bytes[cell] : 0; }
    void Write(std::uint8_t cell, std::uint8_t v) override {
        if (Has(cell)) bytes[cell] = v;
    }
    std::uint8_t Mask(std::uint8_t cell) const override { return Has(cell) ? mask[cell] : 0xFF; }
    std::uint16_t W1() const { return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]); }
    void SetW1(std::uint16_t v) {
        bytes[0] = static_cast<std::uint8_t>(v >> 8);
        bytes[1] = static_cast<std::uint8_t>(v);
    }
};

TEST(Notation, RefusesWhatNoRowMayMean) {
    for (const char* bad : {"w1 1..0", "w9 1 = #", "w1 16 = #", "w1 0..1 = #", "1H 8 = #",
                            "w1 3..0: 000", "w1 3..0: 00x0", "w1 1 = 1", "w1 1 = #+", ";;x"}) {
        EXPECT_FALSE(notation::CheckWrites(bad).empty()) << bad;
    }
    for (const char* good : {"", "w1 1..0 = #", "w1 3 = #+1; mask", "w2 15..0: 0000000000000000",
                             "FuseLow 7..0: 00000000 00000100", "7L 0: 1 0"}) {
        EXPECT_EQ(notation::CheckWrites(good), "") << good;
    }
    for (const char* bad : {"w1", "w1 3..0 ->", "w1 3..0 -> x", "w1 3..0 -> 1=", "w1 1 = 2"}) {
        EXPECT_FALSE(notation::CheckOpen(bad).empty()) << bad;
    }
    for (const char* good : {"", "none", "w1 5..4", "w1 3..0 = #+1", "1H 3..0 -> 0 1 - 2",
                             "LockBits 7..0 -> 00=0 04=1 06=-"}) {
        EXPECT_EQ(notation::CheckOpen(good), "") << good;
    }
}

TEST(Notation, IndexPatternAndConstantSegments) {
    ArrayStore s;
    s.SetW1(0x3FFF);
    ApplyWrites("w1 1..0 = #", 2, s);
    EXPECT_EQ(s.W1(), 0x3FFE);
    ApplyWrites("w1 3..0 = #+4", 1, s);
    EXPECT_EQ(s.W1(), 0x3FF5);
    ApplyWrites("w1 13..8: 000000 010101 101010; w1 15..14: 11", 1, s);
    EXPECT_EQ(s.W1(), 0xD5F5) << "one pattern is written on every choice";
    ApplyWrites("w1 7..4: 1-0- 0-1-", 0, s);
    EXPECT_EQ(s.W1(), 0xD5D5) << "- keeps the stored bit";
    ApplyWrites("w1 7..4: 1-0- 0-1-", 1, s);
    EXPECT_EQ(s.W1(), 0xD575);
}

TEST(Notation, MaskKeepsTheNamedUnitsInsideTheParts) {
    ArrayStore s;
    s.mask = {0x3F, 0x3F, 0x00, 0x00};
    s.bytes = {0xFF, 0xFF, 0xFF, 0xFF};
    ApplyWrites("w1 3 = #; mask", 1, s);
    EXPECT_EQ(s.bytes, (std::array<std::uint8_t, 4>{0x3F, 0x3F, 0xFF, 0xFF}));
}

TEST(Notation, WritesStayInsideTheStore) {
    ArrayStore s;
    ApplyWrites("7L 7..0: 11111111", 0, s);  // cell 13: not in a four-byte store
    EXPECT_EQ(s.bytes, (std::array<std::uint8_t, 4>{}));
    EXPECT_EQ(DecodeOpening("7L 1..0", "", 4, false, s), 0);
    ApplyWrites("FuseLow 0: 1 0", 0, s);  // the other family's state: not here
    EXPECT_EQ(s.bytes, (std::array<std::uint8_t, 4>{}));
}

TEST(Notation, GroupsOpenFromTheirIndexFieldWithTheLastItemForLargerValues) {
    ArrayStore s;
    s.SetW1(0x0003);
    EXPECT_EQ(DecodeOpening("", "w1 1..0 = #", 4, false, s), 3);
    EXPECT_EQ(DecodeOpening("", "w1 1..0 = #", 3, false, s), 2);
    EXPECT_EQ(DecodeOpening("", "w1 1..0 = #+1", 4, false, s), 2);
    s.SetW1(0x0000);
    EXPECT_EQ(DecodeOpening("", "w1 1..0 = #+1", 4, false, s), -1) << "below the first: none";
    EXPECT_EQ(DecodeOpening("none", "w1 1..0 = #", 4, false, s), -1);
}

TEST(Notation, GroupsWithoutAnIndexOpenOnTheMatchingPattern) {
    ArrayStore s;
    const char* writes = "w1 13..8: 000000 010101 111111; w1 15..14: 00; w1 5..4: 00 01 11";
    s.SetW1(0x155F);
    EXPECT_EQ(DecodeOpening("", writes, 3, false, s), 1);
    s.SetW1(0x3F6F);
    EXPECT_EQ(DecodeOpening("", writes, 3, false, s), -1) << "no item holds 10 in bits 5..4";
    EXPECT_EQ(DecodeOpening("w1 5..4", writes, 3, false, s), 2);
}

TEST(Notation, TablesAndListedValues) {
    ArrayStore s;
    const char* table = "w1 3..0 -> 0 1 2 2 3 - 9";
    const std::pair<std::uint16_t, int> cases[] = {{0, 0},  {3, 2}, {4, 3},
                                                   {5, -1}, {6, 9}, {15, 9}};
    for (const auto& [value, item] : cases) {
        s.SetW1(value);
        EXPECT_EQ(DecodeOpening(table, "", 10, false, s), item) << value;
    }
    s.SetW1(0x0006);
    EXPECT_EQ(DecodeOpening("w1 7..0 -> 00=0 04=1 06=2", "", 3, false, s), 2);
    s.SetW1(0x0005);
    EXPECT_EQ(DecodeOpening("w1 7..0 -> 00=0 04=1 06=2", "", 3, false, s), -1);
}

TEST(Notation, CheckBoxesOpenFromTheFirstBitTheirChoicesSetApart) {
    ArrayStore s;
    s.SetW1(0x0048);
    EXPECT_EQ(DecodeOpening("", "w1 3 = #", 2, true, s), 1);
    EXPECT_EQ(DecodeOpening("", "w1 3: 1 0", 2, true, s), 0);
    EXPECT_EQ(DecodeOpening("", "w1 15..14: 00; w1 6..3: 0--- 1--0", 2, true, s), 1);
    EXPECT_EQ(DecodeOpening("", "w1 3..0: 1110 ---1", 2, true, s), 0);
}

}  // namespace
}  // namespace karvo::config
