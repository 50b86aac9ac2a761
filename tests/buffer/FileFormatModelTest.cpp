#include <gtest/gtest.h>

#include "buffer/FileDialogPorts.h"
#include "buffer/FileFormatModel.h"
#include "support/Devices.h"

namespace karvo::test {
namespace {

using Layout = FileFormatLayout;

const DeviceRecord kEprom27C256 = DeviceBuilder('E', 0x7FFF);
const DeviceRecord kPic = DeviceBuilder('C', 0x7FF).Algorithm(5);

TEST(FileFormatDialog, FirstLoadOfAByteWidePart) {
    FileFormatKept kept;
    EXPECT_EQ(kept.fill, FillChoice::Disable);
    FileFormatModel model(kept, kEprom27C256, Layout::Load, FileFormat::FormatIntelHex);
    EXPECT_EQ(model.CheckedFormat(), FileFormat::FormatIntelHex);
    EXPECT_TRUE(model.SubtractChecked());
    EXPECT_EQ(model.CheckedFill(), FillChoice::DeviceDefault);
    EXPECT_EQ(kept.fill, FillChoice::DeviceDefault);  // checking the button ran its click
    EXPECT_EQ(model.OffsetText(), "0");
    EXPECT_TRUE(model.FillGroupVisible());
    EXPECT_TRUE(model.OffsetGroupVisible());
    EXPECT_FALSE(model.RangeGroupVisible());
    EXPECT_TRUE(model.FormatEnabled(FileFormat::FormatBinary));
    EXPECT_FALSE(model.FormatEnabled(FileFormat::FormatInh8m));
    EXPECT_FALSE(model.FormatEnabled(FileFormat::FormatInx16));

    EXPECT_TRUE(model.TypeOffset("100"));
    EXPECT_EQ(model.Ok(), std::nullopt);
    EXPECT_EQ(kept.offset, -0x100);
    EXPECT_EQ(kept.format, FileFormat::FormatIntelHex);
}

TEST(FileFormatDialog, PreselectionFollowsTheFilter) {
    const std::pair<int, FileFormat> cases[] = {
        {1, FileFormat::FormatIntelHex}, {2, FileFormat::FormatMotorola},
        {3, FileFormat::FormatBinary},   {4, FileFormat::FormatBinary},  // All Files
        {0, FileFormat::FormatIntelHex}, {9, FileFormat::FormatIntelHex},
    };
    for (const auto& [filter, want] : cases) {
        FileFormatKept kept;
        FileFormatModel model(kept, kEprom27C256, Layout::Load,
                              PreselectedLoadFormat(Family::Eprom, filter));
        EXPECT_EQ(model.CheckedFormat(), want) << filter;
        EXPECT_EQ(kept.format, want) << filter;
    }
}

TEST(FileFormatDialog, SignIsKeptAndTheOffsetBoxStartsAtZero) {
    FileFormatKept kept;
    {
        FileFormatModel model(kept, kEprom27C256, Layout::Load, FileFormat::FormatIntelHex);
        EXPECT_TRUE(model.ClickAdd());
        model.TypeOffset("1A2b");
        EXPECT_EQ(model.Ok(), std::nullopt);
        EXPECT_EQ(kept.offset, 0x1A2B);
    }
    FileFormatModel again(kept, kEprom27C256, Layout::Load, FileFormat::FormatIntelHex);
    EXPECT_FALSE(again.SubtractChecked());
    EXPECT_EQ(again.OffsetText(), "0");
    EXPECT_EQ(again.Ok(), std::nullopt);
    EXPECT_EQ(kept.offset, 0);
}

TEST(FileFormatDialog, MalformedOffsetIsTheConversionErrorAndChangesNothing) {
    FileFormatKept kept;
    kept.offset = 5;
    FileFormatModel model(kept, kEprom27C256, Layout::Load, FileFormat::FormatIntelHex);
    model.TypeOffset("12G");
    EXPECT_EQ(model.Ok(), "''$12G'' is not a valid integer value");
    model.TypeOffset("");
    EXPECT_EQ(model.Ok(), "''$'' is not a valid integer value");
    EXPECT_EQ(kept.offset, 5);
    // The box takes eight characters at most.
    model.TypeOffset("123456789");
    EXPECT_EQ(model.OffsetText(), "12345678");
}

TEST(FileFormatDialog, WordPartsOfferOnlyTheirFormatsAndNoOffset) {
    FileFormatKept kept;
    FileFormatModel model(kept, kPic, Layout::Load, FileFormat::FormatInh8m);
    EXPECT_EQ(model.CheckedFormat(), FileFormat::FormatInh8m);
    EXPECT_FALSE(model.FormatEnabled(FileFormat::FormatIntelHex));
    EXPECT_FALSE(model.FormatEnabled(FileFormat::FormatMotorola));
    EXPECT_FALSE(model.FormatEnabled(FileFormat::FormatBinary));
    EXPECT_TRUE(model.FormatEnabled(FileFormat::FormatInx16));
    EXPECT_FALSE(model.OffsetGroupVisible());
    EXPECT_TRUE(model.FillGroupVisible());
    EXPECT_FALSE(model.ClickFormat(FileFormat::FormatIntelHex));
    EXPECT_FALSE(model.ClickSubtract());
    EXPECT_TRUE(model.ClickFormat(FileFormat::FormatInx16));
    EXPECT_EQ(kept.format, FileFormat::FormatInx16);
}

TEST(FileFormatDialog, FillButtons) {
    FileFormatKept kept;
    FileFormatModel model(kept, kEprom27C256, Layout::Load, FileFormat::FormatIntelHex);
    for (const FillChoice fill :
         {FillChoice::Zero, FillChoice::FF, FillChoice::Disable, FillChoice::DeviceDefault}) {
        EXPECT_TRUE(model.ClickFill(fill));
        EXPECT_EQ(kept.fill, fill);
    }
}

TEST(FileFormatDialog, SaveLayoutShowsTheRangeOnly) {
    FileFormatKept kept;
    FileFormatModel model(kept, kEprom27C256, Layout::Save, FileFormat::FormatIntelHex);
    EXPECT_FALSE(model.FillGroupVisible());
    EXPECT_FALSE(model.OffsetGroupVisible());
    EXPECT_TRUE(model.RangeGroupVisible());
    EXPECT_EQ(model.StartText(), "0");
    EXPECT_EQ(model.StopText(), "00007FFF");
    EXPECT_FALSE(model.ClickFill(FillChoice::Zero));
    EXPECT_EQ(kept.fill, FillChoice::DeviceDefault);
    EXPECT_EQ(model.Ok(), std::nullopt);  // changes nothing itself
    std::string error;
    const auto range = model.ReadSaveRange(error);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->start, 0u);
    EXPECT_EQ(range->end, 0x7FFFu);

    // A later load shows the fill and offset groups again.
    FileFormatModel load(kept, kEprom27C256, Layout::Load, FileFormat::FormatIntelHex);
    EXPECT_TRUE(load.FillGroupVisible());
    EXPECT_TRUE(load.OffsetGroupVisible());
    EXPECT_FALSE(load.RangeGroupVisible());
}

TEST(FileFormatDialog, RangeBoxesAreUpperCaseHexAndConvertedInOrder) {
    FileFormatKept kept;
    FileFormatModel model(kept, kEprom27C256, Layout::Save, FileFormat::FormatIntelHex);
    model.TypeStart("1f0");
    model.TypeStop("zz");
    EXPECT_EQ(model.StartText(), "1F0");
    std::string error;
    EXPECT_FALSE(model.ReadSaveRange(error));
    EXPECT_EQ(error, "''$ZZ'' is not a valid integer value");
    model.TypeStart("x1");
    EXPECT_FALSE(model.ReadSaveRange(error));
    EXPECT_EQ(error, "''$X1'' is not a valid integer value");
}

TEST(FileFormatDialog, StopDefaultsOfTheMicroControllers) {
    const auto stop = [](const DeviceRecord& d) {
        FileFormatKept kept;
        return FileFormatModel(kept, d, Layout::Save, FileFormat::FormatIntelHex).StopText();
    };
    EXPECT_EQ(stop(DeviceBuilder('M', 0xFFF).Algorithm(35)), "0000101F");
    EXPECT_EQ(stop(DeviceBuilder('M', 0xFFFF).Ids(0xBF, 0x91)), "00011FFF");
    EXPECT_EQ(stop(DeviceBuilder('M', 0x1FFF).ConfigType(0xCB).Eeprom(0x200)), "000021FF");
    EXPECT_EQ(stop(DeviceBuilder('M', 0x1FFF).ConfigType(0xD1).Eeprom(0x200)), "000021FF");
    EXPECT_EQ(stop(DeviceBuilder('M', 0x1FFF).ConfigType(0xCD).Eeprom(0x200)), "00001FFF");
    // The last rule that applies wins.
    EXPECT_EQ(stop(DeviceBuilder('M', 0x7FF).Algorithm(35).ConfigType(0xD1).Eeprom(0x80)),
              "0000087F");
    // Only family 'M' has these rules.
    EXPECT_EQ(stop(DeviceBuilder('E', 0xFFF).Algorithm(35)), "00000FFF");
}

TEST(FileFormatDialog, CancelEndsTheCommand) {
    FileFormatKept kept;
    FileFormatModel model(kept, kEprom27C256, Layout::Load, FileFormat::FormatMotorola);
    model.Cancel();
    EXPECT_EQ(kept.format, FileFormat::FormatCancelled);
}

TEST(FileDialogs, FiltersAndPreselectionByFamily) {
    EXPECT_STREQ(FileFilterFor(Family::Pic), "Inh8m (*.HEX)|*.hex|All Files (*.*)|*.*");
    EXPECT_STREQ(FileFilterFor(Family::Logic), "Jedec (*.JED)|*.jed|All Files (*.*)|*.*");
    EXPECT_STREQ(FileFilterFor(Family::Eprom),
                 "Intel Hex (*.HEX)|*.hex|Motorola (*.MOT)|*.MOT|Binary (*.BIN)|*.bin|"
                 "All Files (*.*)|*.*");
    EXPECT_EQ(PreselectedLoadFormat(Family::Pic, 2), FileFormat::FormatInh8m);
    EXPECT_EQ(PreselectedLoadFormat(Family::Logic, 1), FileFormat::FormatJedec);
    EXPECT_EQ(PreselectedLoadFormat(Family::Micro, 2), FileFormat::FormatMotorola);
    EXPECT_EQ(PreselectedSaveFormat(Family::Pic), FileFormat::FormatInh8m);
    EXPECT_EQ(PreselectedSaveFormat(Family::Logic), FileFormat::FormatJedec);
    EXPECT_EQ(PreselectedSaveFormat(Family::Eprom), FileFormat::FormatIntelHex);
}

}  // namespace
}  // namespace karvo::test
