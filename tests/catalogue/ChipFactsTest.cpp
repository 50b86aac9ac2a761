// The rules built on Algorithm and ConfigType numbers, each in one place.
#include <gtest/gtest.h>

#include "catalogue/ChipFacts.h"
#include "support/Devices.h"

namespace karvo::test {
namespace {

TEST(ChipFacts, FamiliesAndTheirTraits) {
    EXPECT_EQ(DeviceBuilder('C', 0xFF).record.Family(), Family::Pic);
    EXPECT_EQ(Letter(Family::LowVoltageFlash), 'L');
    EXPECT_FALSE(IsKnown(static_cast<Family>('Q')));
    EXPECT_FALSE(IsKnown(Family::None));
    for (const Family f : {Family::Pic, Family::Eprom, Family::Micro})
        EXPECT_TRUE(HasOperations(f));
    for (const Family f : {Family::WordEprom, Family::Logic, Family::Serial}) {
        EXPECT_FALSE(HasOperations(f)) << f;
    }
    EXPECT_TRUE(HoldsWords(Family::WordMemory));
    EXPECT_FALSE(HoldsWords(Family::Micro));
}

// The parameter block's data-area length follows the layout: a byte per
// EEPROM byte in the PIC18 layout, a word elsewhere, also with no EEPROM.
TEST(ChipFacts, PicDataAreaBytes) {
    EXPECT_EQ(PicDataAreaBytes(DeviceBuilder('C', 0x7FF).Algorithm(5).Eeprom(0x7F)), 0x100u);
    EXPECT_EQ(PicDataAreaBytes(DeviceBuilder('C', 0x7FF).Algorithm(18).Eeprom(0xFF)), 0x100u);
    EXPECT_EQ(PicDataAreaBytes(DeviceBuilder('C', 0x7FF).Algorithm(5)), 2u);
    EXPECT_EQ(PicDataAreaBytes(DeviceBuilder('C', 0x7FF).Algorithm(18)), 1u);
}

TEST(ChipFacts, AreasTheLayoutHas) {
    struct Case {
        DeviceRecord part;
        bool id;
        bool data;
    };
    const Case cases[] = {
        {DeviceBuilder('C', 0x7FF).Algorithm(2).Eeprom(0x7F), true, true},
        {DeviceBuilder('C', 0x7FF).Algorithm(1).Eeprom(0), true, false},
        {DeviceBuilder('C', 0x7FF).Algorithm(11).Eeprom(0x3F), true, false},  // no room
        {DeviceBuilder('C', 0x7FF).Algorithm(3), false, false},
        {DeviceBuilder('C', 0x3FFF).Algorithm(8), false, false},
        {DeviceBuilder('C', 0x7FFF).Algorithm(18).Eeprom(0xFF), true, true},
        {DeviceBuilder('C', 0x7FF).Algorithm(7).ConfigType(46).Eeprom(0xFF), true, true},
        {DeviceBuilder('M', 0x1FFF).Eeprom(512), false, true},
        {DeviceBuilder('E', 0x7FFF), false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.part.Family() << " " << int(c.part.Algorithm()));
        EXPECT_EQ(HasIdLocations(c.part), c.id);
        EXPECT_EQ(HasDataEeprom(c.part), c.data);
    }
}

TEST(PicLayout, AreaOffsetsByAlgorithmThenConfigType) {
    EXPECT_EQ(PicAreasFor(DeviceBuilder('C', 0x7FF).Algorithm(18)).configOffset, 0xF0010u);
    EXPECT_FALSE(PicAreasFor(DeviceBuilder('C', 0x7FF).Algorithm(18)).dataAsWords);
    const PicAreas enhanced = PicAreasFor(DeviceBuilder('C', 0x7FF).ConfigType(0x2E).Algorithm(8));
    EXPECT_EQ(enhanced.idOffset, 0x10000u);
    EXPECT_EQ(*enhanced.dataOffset, 0x10200u);
    const PicAreas a8 = PicAreasFor(DeviceBuilder('C', 0x7FF).Algorithm(8));
    EXPECT_EQ(a8.configOffset, 0x800Eu);
    EXPECT_FALSE(a8.dataOffset);
    for (std::uint8_t a : {1, 2, 4, 5, 7, 9, 10}) {
        EXPECT_EQ(*PicAreasFor(DeviceBuilder('C', 0x7FF).Algorithm(a)).dataOffset, 0x4200u);
    }
    for (std::uint8_t a : {0, 3, 6, 11, 17}) {
        EXPECT_FALSE(PicAreasFor(DeviceBuilder('C', 0x7FF).Algorithm(a)).dataOffset);
    }
}

TEST(ChipFacts, MicroImagesBeyondTheCode) {
    EXPECT_TRUE(CarriesUserRow(DeviceBuilder('M', 0x7FF).Algorithm(35)));
    EXPECT_FALSE(CarriesUserRow(DeviceBuilder('C', 0x7FF).Algorithm(35)));
    EXPECT_TRUE(IsSstDualBlock(DeviceBuilder('M', 0xFFFF).Ids(0xBF, 0x91)));
    EXPECT_TRUE(LoadCoversData(DeviceBuilder('M', 0x7FF).ConfigType(205)));
    EXPECT_FALSE(SaveRangeCoversData(DeviceBuilder('M', 0x7FF).ConfigType(205)));
    EXPECT_TRUE(SaveRangeCoversData(DeviceBuilder('M', 0x7FF).ConfigType(209)));
    EXPECT_TRUE(IdStepFollowsCode(DeviceBuilder('C', 0x3FF).Algorithm(0)));
    EXPECT_FALSE(IdStepFollowsCode(DeviceBuilder('M', 0x3FF).Algorithm(0)));
}

}  // namespace
}  // namespace karvo::test
