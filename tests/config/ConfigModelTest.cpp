// The configuration dialog's model: which pages open, where the values
// live in each layout, what opening changes, the ID group, and that a click
// writes through and refreshes everything.
#include <gtest/gtest.h>

#include <vector>

#include "config/Conditions.h"
#include "config/ConfigRig.h"

namespace karvo::test {
namespace {

using config::Dialog;

DeviceBuilder Pic(std::uint8_t algorithm, std::uint8_t configType, std::uint32_t lastAddr = 0x7FF,
                  const std::string& name = "TEST") {
    return std::move(
        DeviceBuilder('C', lastAddr, name).Algorithm(algorithm).ConfigType(configType).Blank(0x3F));
}

std::vector<std::uint8_t> Bytes(const MemoryBuffer& b, std::uint32_t at, std::uint32_t n) {
    return {b.Data() + at, b.Data() + at + n};
}

// ConfigCount 4 and masks 3F FF 00 03: opening alone trims both words.
TEST(ConfigModel, OpeningMasksEveryConfigurationWord) {
    ConfigRig rig(Pic(5, 11).ConfigMask({0x3F, 0xFF, 0x00, 0x03}));
    for (std::uint32_t i = 0; i < 4; ++i) rig.buffer[0x400E + i] = 0xFF;
    rig.Open();
    EXPECT_EQ(Bytes(rig.buffer, 0x400E, 4), (std::vector<std::uint8_t>{0x3F, 0xFF, 0x00, 0x03}));
    EXPECT_TRUE(rig.model.Pages().empty());
    EXPECT_EQ(rig.model.Ids(), ConfigModel::IdGroup::Words);
    EXPECT_TRUE(rig.model.IdGroupVisible()) << "a type without a page keeps the ID group";
}

TEST(ConfigModel, EnhancedPartsAreMaskedAt1000E) {
    ConfigRig rig(Pic(7, 49, 0x3FFF).ConfigMask({0x3E, 0xFF, 0x3F, 0xF3}));
    for (std::uint32_t i = 0; i < 4; ++i) {
        rig.buffer[0x1000E + i] = 0xFF;
        rig.buffer[0x400E + i] = 0xFF;
    }
    rig.Open();
    EXPECT_EQ(Bytes(rig.buffer, 0x1000E, 4), (std::vector<std::uint8_t>{0x3E, 0xFF, 0x3F, 0xF3}));
    EXPECT_EQ(Bytes(rig.buffer, 0x400E, 4), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(ConfigModel, Pic18PartsKeepTheirBytesAndShowEightIdBytes) {
    ConfigRig rig(Pic(18, 39, 0x3FFF)
                      .ConfigMask({0xFF, 0x38, 0x1F, 0x1F, 0, 0x8F, 0xC5, 0, 0x03, 0xC0, 0x03, 0xE0,
                                   0x03, 0x40}));
    rig.buffer[0xF0010] = 0xFF;
    rig.buffer[0xF0005] = 0xA5;
    rig.Open();
    EXPECT_EQ(rig.buffer[0xF0010], 0xFF) << "no mask step on the PIC18 layout";
    ASSERT_EQ(rig.model.Ids(), ConfigModel::IdGroup::Bytes);
    ASSERT_EQ(rig.model.IdCount(), 8u);
    EXPECT_EQ(rig.model.IdName(0), "ID270");
    EXPECT_EQ(rig.model.IdName(7), "ID277");
    EXPECT_EQ(rig.model.IdText(5), "A5");
}

TEST(ConfigModel, TypedIdsGoIntoTheLowByteOfTheirWord) {
    std::optional<ConfigBox> box;
    ConfigRig standard(Pic(5, 9).ConfigMask({0x3F, 0xFF}));
    standard.Open();
    EXPECT_EQ(standard.model.TypeId(0, "1", box), ConfigModel::IdResult::Stored);
    EXPECT_EQ(standard.buffer[0x4001], 0x81);
    EXPECT_EQ(standard.buffer[0x4000], 0x3F) << "the high bytes of the ID words are never written";
    EXPECT_EQ(standard.model.TypeId(3, "7F", box), ConfigModel::IdResult::Stored);
    EXPECT_EQ(standard.buffer[0x4007], 0xFF);

    ConfigRig repeated(Pic(12, pic::kConfigTypeRepeatedCp).ConfigMask({0x0F, 0xFF}));
    repeated.Open();
    EXPECT_EQ(repeated.model.TypeId(0, "1", box), ConfigModel::IdResult::Stored);
    EXPECT_EQ(repeated.buffer[0x4001], 0xF1);

    ConfigRig pic18(Pic(18, 39, 0x3FFF)
                        .ConfigMask({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF}));
    pic18.Open();
    EXPECT_EQ(pic18.model.TypeId(0, "1", box), ConfigModel::IdResult::Stored);
    EXPECT_EQ(pic18.buffer[0xF0000], 0x01);
    EXPECT_FALSE(box);
}

TEST(ConfigModel, IdsShowWhatTheChipKeeps) {
    ConfigRig standard(Pic(5, 9).ConfigMask({0x3F, 0xFF}));
    standard.buffer[0x4001] = 0xFF;
    standard.buffer[0x4003] = 0x05;
    standard.Open();
    EXPECT_EQ(standard.model.IdName(0), "ID_0");
    EXPECT_EQ(standard.model.IdName(3), "ID3");
    EXPECT_EQ(standard.model.IdText(0), "7F");
    EXPECT_EQ(standard.model.IdText(1), "05");
    ConfigRig repeated(Pic(12, pic::kConfigTypeRepeatedCp).ConfigMask({0x0F, 0xFF}));
    repeated.buffer[0x4001] = 0xFF;
    repeated.Open();
    EXPECT_EQ(repeated.model.IdText(0), "0F");
}

TEST(ConfigModel, TextThatIsNoNumberIsRefusedWithTheConversionError) {
    ConfigRig rig(Pic(5, 9).ConfigMask({0x3F, 0xFF}));
    rig.buffer[0x4001] = 0x85;
    rig.Open();
    for (const std::string text : {"G", "", "1 "}) {
        std::optional<ConfigBox> box;
        EXPECT_EQ(rig.model.TypeId(0, text, box), ConfigModel::IdResult::NotHex) << text;
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, "KARVO Mk2");
        EXPECT_EQ(box->text, "''$" + text + "'' is not a valid integer value");
        EXPECT_EQ(rig.buffer[0x4001], 0x85);
    }
}

// A longer text used to be cut to its low byte without a word.
TEST(ConfigModel, IdFieldsTakeNoMoreThanTheChipStores) {
    std::optional<ConfigBox> box;
    ConfigRig rig(Pic(5, 9).ConfigMask({0x3F, 0xFF}));
    rig.buffer[0x4001] = 0x85;
    rig.Open();
    EXPECT_EQ(rig.model.IdDigits(), 2);
    EXPECT_EQ(rig.model.IdLargest(), 0x7Fu);
    for (const std::string text : {"80", "123", "0001"}) {
        EXPECT_EQ(rig.model.TypeId(0, text, box), ConfigModel::IdResult::TooLong) << text;
        EXPECT_FALSE(box);
        EXPECT_EQ(rig.buffer[0x4001], 0x85);
    }
    ConfigRig repeated(Pic(12, pic::kConfigTypeRepeatedCp).ConfigMask({0x0F, 0xFF}));
    repeated.Open();
    EXPECT_EQ(repeated.model.IdLargest(), 0x0Fu);
    EXPECT_EQ(repeated.model.TypeId(0, "10", box), ConfigModel::IdResult::TooLong);
    ConfigRig pic18(Pic(18, 39, 0x3FFF).ConfigMask({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    pic18.Open();
    EXPECT_EQ(pic18.model.TypeId(7, "FF", box), ConfigModel::IdResult::Stored);
    EXPECT_EQ(pic18.buffer[0xF0007], 0xFF);
}

// PIC17 parts have no ID locations; the 17C75x keep their configuration at
// 0x800E, where the mask step works.
TEST(ConfigModel, Pic17PartsHaveNoIdGroupAndTheirOwnConfigurationPlace) {
    ConfigRig rig(Pic(pic::kAlgorithm17C75x, 14, 0x3FFF).ConfigMask({0xC0, 0x5F}));
    rig.buffer[0x800E] = 0xFF;
    rig.buffer[0x800F] = 0xFF;
    rig.buffer[0x400E] = 0xFF;
    rig.Open();
    EXPECT_EQ(rig.model.Ids(), ConfigModel::IdGroup::None);
    EXPECT_FALSE(rig.model.IdGroupVisible());
    EXPECT_EQ(rig.model.IdCount(), 0u);
    EXPECT_EQ(rig.buffer[0x800E], 0xC0);
    EXPECT_EQ(rig.buffer[0x800F], 0x5F);
    EXPECT_EQ(rig.buffer[0x400E], 0xFF);
    ConfigRig pic17c4x(Pic(pic::kAlgorithm17C4x, 13, 0x1FFF).ConfigMask({0x80, 0x5F}));
    pic17c4x.Open();
    EXPECT_EQ(pic17c4x.model.Ids(), ConfigModel::IdGroup::None);
}

// ConfigCount is a byte; the mask has 32. Nothing past them is touched.
TEST(ConfigModel, ConfigCountIsBoundedByTheMaskBytes) {
    DeviceBuilder builder = Pic(5, 11);
    builder.U8(DeviceRecord::kConfigCount, 0xFE);
    ConfigRig rig(builder);
    for (std::uint32_t i = 0; i < 0x100; ++i) rig.buffer[0x400E + i] = 0xFF;
    rig.Open();
    EXPECT_EQ(rig.buffer[0x400E + 31], 0x00) << "mask byte 31 (0) applied";
    EXPECT_EQ(rig.buffer[0x400E + 32], 0xFF);
    EXPECT_EQ(rig.buffer[0x400E + 0xFD], 0xFF);
}

// A made-up page set, to try the machinery where no shipped page does yet.
constexpr config::ControlRow kTestPage[] = {
    config::Check("CB99_Low", "Low", "4H 0 = #"),
    config::Radio("RG99_Top", " Top ", "A|B|C", "7L 7..6 = #"),
    config::Check("CB99_Gated", "Gated", "4L 0 = #").Enabled(config::ControlChecked("CB99_Low")),
    config::Check("CB99_Fuse", "FUSE", "FuseLow 0: 1 0"),
    config::ControlRow{"Edit99",
                       config::ControlKind::Edit,
                       "FF",
                       {},
                       "Seed0 7..0 = #",
                       {},
                       {},
                       {},
                       {},
                       0,
                       config::RowHook::None},
};
constexpr config::LabelRow kTestLabels[] = {{"Label13", 6, ""}, {"Label5", 0, "0x"}};
constexpr config::PageRow kTestPages[] = {
    {"Page99", nullptr, kTestPage, {}, kTestLabels},
    {"Page99A", " Page 2", kTestPage, {}, {}, false},
};
constexpr std::uint8_t kTestTypes[] = {36, 205};
constexpr config::ClearedCell kTestCleared[] = {{6, config::Always()},
                                                {5, config::Not(config::ConfigTypeIs(45))},
                                                {1, config::ConfigTypeIs(45)}};
constexpr config::PageSet kTestSets[] = {
    {Dialog::Pic, kTestTypes, kTestPages, kTestCleared},
    {Dialog::Other, kTestTypes, kTestPages},
};

TEST(ConfigModel, Pic18PageSetsClearTheirBytesWhenTheyOpen) {
    ConfigRig rig(Pic(18, 36, 0x7FFF)
                      .ConfigMask({0xCF, 0x3F, 0x1F, 0x3F, 0x87, 0x00, 0xE5, 0x40, 0x0F, 0xC0, 0x0F,
                                   0xE0, 0x0F, 0x40}),
                  kTestSets);
    for (std::uint32_t i = 0; i < 14; ++i) rig.buffer[0xF0010 + i] = 0xFF;
    rig.Open();
    EXPECT_EQ(Bytes(rig.buffer, 0xF0010, 8),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF}));
    ASSERT_EQ(rig.model.Pages().size(), 2u);
    EXPECT_EQ(rig.model.Pages()[0].caption, "TEST");
    EXPECT_EQ(rig.model.Pages()[1].caption, " Page 2");
    EXPECT_TRUE(rig.model.IdGroupVisible());
    rig.model.SetActivePage(1);
    EXPECT_FALSE(rig.model.IdGroupVisible()) << "later pages of a set hide the ID bytes";
    EXPECT_EQ(rig.Label("Label13"), "00");
    rig.Click("CB99_Low", 1);
    EXPECT_EQ(rig.buffer[0xF0016], 0x01);
    EXPECT_EQ(rig.Label("Label13"), "01");
}

TEST(ConfigModel, ShippedPic18PartsClearTheBytesOfTheirSet) {
    struct Case {
        const char* part;
        std::vector<std::uint8_t> cleared;  // 0xF0010 ... 0xF0017 after opening
    };
    for (const Case& c : {Case{"18F452", {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF}},
                          Case{"18F4431", {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF}},
                          Case{"18F4550", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF}},
                          Case{"18F14K50", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}}) {
        ConfigRig rig(ConfigRig::Shipped(c.part));
        for (std::uint32_t i = 0; i < 14; ++i) rig.buffer[0xF0010 + i] = 0xFF;
        rig.Open();
        EXPECT_EQ(Bytes(rig.buffer, 0xF0010, 8), c.cleared) << c.part;
        EXPECT_EQ(rig.model.Ids(), ConfigModel::IdGroup::Bytes);
        EXPECT_TRUE(rig.model.IdGroupVisible());
    }
}

// A record whose page and layout disagree would write the PIC18 bytes into a
// buffer that has no room for them: every write stays inside.
TEST(ConfigModel, WritesOutsideTheBufferAreDropped) {
    const DeviceRecord small = Pic(5, 9).ConfigMask({0x3F, 0xFF});
    const DeviceRecord pic18 =
        Pic(18, 36, 0x7FFF).ConfigMask({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    MemoryBuffer buffer;
    buffer.AllocateForDevice(small);
    buffer.FillWithBlank(small);
    const std::vector<std::uint8_t> before(buffer.Data(), buffer.Data() + buffer.Allocated);
    ConfigBitsState bits;
    ConfigModel model(pic18, buffer, bits, kTestSets);
    model.Open();
    EXPECT_EQ(model.Ids(), ConfigModel::IdGroup::None);
    const auto at = model.Find("CB99_Low");
    ASSERT_TRUE(at);
    model.Click(at->first, at->second, 1);
    EXPECT_EQ(model.Pages()[0].labels[0].text, "00");
    EXPECT_TRUE(std::equal(before.begin(), before.end(), buffer.Data()));
}

TEST(ConfigModel, OtherFamiliesEditTheirStateRecord) {
    ConfigRig rig(DeviceBuilder('M', 0x7FF).ConfigType(205), kTestSets);
    rig.bits.FuseLow = 0xFF;
    rig.Open();
    EXPECT_EQ(rig.model.Which(), Dialog::Other);
    EXPECT_EQ(rig.model.Ids(), ConfigModel::IdGroup::None);
    EXPECT_EQ(rig.Get("CB99_Fuse").value, 0);
    rig.Click("CB99_Fuse", 1);
    EXPECT_EQ(rig.bits.FuseLow, 0xFE);
    EXPECT_EQ(rig.Label("Label5"), "0xFE");
    const auto edit = rig.model.Find("Edit99");
    ASSERT_TRUE(edit);
    EXPECT_FALSE(rig.model.TypeText(edit->first, edit->second, "A5"));
    EXPECT_EQ(rig.bits.Seed0, 0xA5);
    const auto box = rig.model.TypeText(edit->first, edit->second, "X");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "''$X'' is not a valid integer value");
    EXPECT_EQ(rig.bits.Seed0, 0xA5);
}

TEST(ConfigModel, HiddenOrDisabledControlsTakeNoClick) {
    ConfigRig rig(DeviceBuilder('M', 0x7FF).ConfigType(205), kTestSets);
    rig.Open();
    EXPECT_FALSE(rig.Get("CB99_Gated").enabled);
    rig.Click("CB99_Gated", 1);
    EXPECT_EQ(rig.Get("CB99_Gated").value, 0);
    EXPECT_EQ(rig.Get("RG99_Top").value, 0);
    rig.Click("RG99_Top", 3);  // there is no item 3
    EXPECT_EQ(rig.Get("RG99_Top").value, 0);
}

// Opening sets every control without running its click: the "also clears"
// of a row must not touch bits nobody clicked. Over every shipped part,
// opening and closing leaves the buffer as the mask step and the set's
// cleared bytes make it.
TEST(ConfigModel, OpeningAndClosingChangesOnlyWhatTheMaskStepClears) {
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    int opened = 0;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto record = file->Record(m, d);
            if (!record || record->Family() != Family::Pic) continue;
            ConfigRig rig(*record);
            const std::uint32_t area = rig.Config();
            for (std::uint32_t i = 0; i < 32; ++i) {
                rig.buffer[area + i] = static_cast<std::uint8_t>(0xA5 ^ (i * 0x3B));
            }
            std::vector<std::uint8_t> expected(rig.buffer.Data(),
                                               rig.buffer.Data() + rig.buffer.Allocated);
            if (!IsExtendedPicLayout(*record)) {
                for (std::uint32_t i = 0; i < record->ConfigCount(); ++i) {
                    expected[area + i] &= record->ConfigMask(i);
                }
            }
            if (const config::PageSet* set =
                    config::FindPageSet(config::AllPageSets(), Dialog::Pic, record->ConfigType())) {
                for (const config::ClearedCell& c : set->clearedAtOpening) {
                    if (config::Holds(c.when, config::ConditionContext(*record))) {
                        expected[area + c.cell] = 0;
                    }
                }
            }
            rig.Open();
            rig.model.Close();
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), rig.buffer.Data()))
                << record->DevName();
            ++opened;
        }
    }
    EXPECT_GT(opened, 100);
}

}  // namespace
}  // namespace karvo::test
