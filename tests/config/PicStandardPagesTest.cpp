// The pages of the 12-bit and 14-bit cores on the parts they are for: the
// awkward cases first, then one assignment of every control on a shipped
// part, with the word the part's data sheet gives for it, then openings.
#include <gtest/gtest.h>

#include <set>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "config/ConfigRig.h"

namespace karvo::test {
namespace {

// A part of one page whose mask keeps every bit of the word, so that the
// words below are the page's own doing.
DeviceRecord FullMask(std::uint8_t configType, std::uint32_t lastAddr = 0x7FF,
                      const std::string& name = "TEST", std::uint8_t algorithm = 1) {
    return DeviceBuilder('C', lastAddr, name)
        .Algorithm(algorithm)
        .ConfigType(configType)
        .Blank(0x3F)
        .ConfigMask({0x3F, 0xFF, 0x3F, 0xFF});
}

TEST(PicPages, Page1HsClearsBitZeroAndShowsItsByte) {
    ConfigRig rig(FullMask(1));
    rig.PutWord(1, 0x3FFF);
    rig.Open();
    rig.Click("RG1_Osc", 2);
    EXPECT_EQ(rig.Word(1), 0x3FFE);
    EXPECT_EQ(rig.Label("Label14"), "FE");
    EXPECT_EQ(rig.Label("Label13"), "3F");
}

TEST(PicPages, Page3OneKiloWordProtection) {
    ConfigRig rig(FullMask(3, 2047));
    rig.PutWord(1, 0x3FFF);
    rig.Open();
    EXPECT_FALSE(rig.Get("RG3_Prot2k").visible);
    EXPECT_FALSE(rig.Get("RG3_Prot05k").visible);
    EXPECT_TRUE(rig.Get("RG3_Prot1k").visible);
    EXPECT_EQ(rig.Get("RG3_Prot1k").value, 2) << "bits 5..4 = 11 open as Protection off";
    rig.Click("RG3_Prot1k", 1);
    EXPECT_EQ(rig.Word(1), 0x15DF);
}

TEST(PicPages, Page0OpensFromBitsOneAndThree) {
    ConfigRig rig(FullMask(0));
    rig.PutWord(1, 0x0FF5);
    rig.Open();
    EXPECT_EQ(rig.Get("RG0_Osc").value, 0);
    EXPECT_EQ(rig.Get("RG0_Osc").items[0], "XT");
    EXPECT_EQ(rig.Get("RG0_Prot").value, 0);
    EXPECT_EQ(rig.Get("RG0_Prot").items[0], "All memory protected");
}

TEST(PicPages, Page5NamesThePinByPartAndClearsTheUnusedBits) {
    for (const auto& [name, pin] : {std::pair{"10F222", "RB3"}, std::pair{"10F200", "GP3"}}) {
        ConfigRig rig(FullMask(5, 0x1FF, name, 11));
        rig.PutWord(1, 0x0FFF);
        rig.Open();
        EXPECT_EQ(rig.Get("CB5_Mcl").caption, "MCLR");
        rig.Click("CB5_Mcl", 0);
        EXPECT_EQ(rig.Get("CB5_Mcl").caption, pin) << name;
        EXPECT_EQ(rig.Word(1), 0x0F0F) << name;
        const bool small = std::string(name) == "10F200";
        EXPECT_NE(rig.Get("RG5_Iofs").visible, small);
        EXPECT_NE(rig.Get("CB5_Mcpu").visible, small);
    }
}

TEST(PicPages, Page20InvalidOscillatorChoosesLp) {
    ConfigRig rig(FullMask(20, 0x7FF, "16C505", 6));
    rig.PutWord(1, 0x0FFF);
    rig.Open();
    EXPECT_TRUE(rig.Get("RG20_OscC").visible);
    EXPECT_FALSE(rig.Get("RG20_OscF").visible);
    rig.Click("RG20_OscC", 3);
    EXPECT_EQ(rig.Get("RG20_OscC").value, 0);
    EXPECT_EQ(rig.Get("RG20_OscC").items[0], "LP");
    EXPECT_EQ(rig.Word(1), 0x0FF8);
}

// Each group writes its own choice: the 16F505's list used to write the
// choice of the hidden 16C505 list.
TEST(PicPages, Page20WritesTheClickedGroupsChoice) {
    for (const char* name : {"16F505", "PIC16F505"}) {
        ConfigRig rig(FullMask(20, 0x7FF, name, 11));
        rig.PutWord(1, 0x0FFF);
        rig.Open();
        EXPECT_FALSE(rig.Get("RG20_OscC").visible) << name;
        rig.Click("RG20_OscF", 3);
        EXPECT_EQ(rig.Word(1), 0x0FFB) << name;
        EXPECT_EQ(rig.Get("RG20_OscF").value, 3);
    }
}

TEST(PicPages, Page40RepeatedProtectionOffSetsTheWholeField) {
    ConfigRig rig(DeviceBuilder('C', 0x3FF, "16C54C")
                      .Algorithm(12)
                      .ConfigType(pic::kConfigTypeRepeatedCp)
                      .Blank(0x0F)
                      .ConfigMask({0x0F, 0xFF}));
    rig.PutWord(1, 0x0007);
    rig.Open();
    EXPECT_EQ(rig.Get("RG40_Prot").value, 0);
    rig.Click("RG40_Prot", 1);
    EXPECT_EQ(rig.Word(1), 0x0FFF);
    rig.Click("RG40_Osc", 0);
    EXPECT_EQ(rig.Word(1), 0x0FFC) << "bits 7..4 are protection here and stay";
}

TEST(PicPages, Page12MasksTheLowByte) {
    ConfigRig rig(DeviceBuilder('C', 0xFFF, "16C558")
                      .Algorithm(1)
                      .ConfigType(12)
                      .Blank(0x3F)
                      .ConfigMask({0x3F, 0x3F}));
    rig.Open();
    rig.buffer[0x400F] = 0xFF;  // as if the byte had been changed behind the page
    rig.Click("CB12_Pwt", 1);
    EXPECT_EQ(rig.buffer[0x400F], 0x3F);
}

TEST(PicPages, Page4BorDisabledDuringSleepSpansBothWords) {
    ConfigRig rig(FullMask(4, 0x3FFF, "16F767", 4));
    rig.PutWord(1, 0x0000);
    rig.PutWord(2, 0x00FF);
    rig.Open();
    rig.Click("RG4_Bor", 2);
    EXPECT_EQ(rig.Word(1), 0x0040);
    EXPECT_EQ(rig.Word(2), 0x00BF);
    EXPECT_EQ(rig.Label("Label13"), "00");
    EXPECT_EQ(rig.Label("Label14"), "40");
    EXPECT_EQ(rig.Label("Label16"), "BF");
}

// A write that changes both bytes shows both, and every control follows.
TEST(PicPages, EveryWriteRefreshesEveryLabelAndControl) {
    ConfigRig rig(ConfigRig::Shipped("16F84A"));
    rig.PutWord(1, 0x3FFF);
    rig.Open();
    rig.Click("RG9_Prot", 0);
    EXPECT_EQ(rig.Label("Label13"), "00");
    EXPECT_EQ(rig.Label("Label14"), "0F");
    ConfigRig bor(ConfigRig::Shipped("16C773"));
    bor.PutWord(1, 0x3F3F);
    bor.Open();
    EXPECT_EQ(bor.Get("CB22_Pwt").value, 1);
    bor.Click("CB22_Bor", 1);  // brown-out on turns the power-up timer on
    EXPECT_EQ(bor.Get("CB22_Pwt").value, 0);
    EXPECT_EQ(bor.Word(1), 0x3F77);
}

TEST(PicPages, Page10WriteProtectionFollowsTheSize) {
    ConfigRig small(ConfigRig::Shipped("16F882"));
    small.PutWord(2, 0x0700);
    small.Open();
    EXPECT_EQ(small.Get("RG10_Mwp").items,
              (std::vector<std::string>{"0x000 to 0x3FF", "0x000 to 0x0FF", "Off"}));
    EXPECT_EQ(small.Get("RG10_Mwp").value, 2);
    small.Click("RG10_Mwp", 1);
    EXPECT_EQ(small.Word(2), 0x0300);
    small.Click("RG10_Mwp", 2);
    EXPECT_EQ(small.Word(2), 0x0700);
    small.PutWord(2, 0x0500);  // a code the 2K part does not define
    small.Click("CB10_Wdt", 0);
    EXPECT_EQ(small.Get("RG10_Mwp").value, -1);

    ConfigRig mid(FullMask(10, 0x1FFF, "16F883", 7));
    mid.Open();
    EXPECT_EQ(mid.Get("RG10_Mwp").items[0], "0x000 to 0x7FF");
    ConfigRig large(ConfigRig::Shipped("16F886"));
    large.Open();
    EXPECT_EQ(large.Get("RG10_Mwp").items[0], "0x000 to 0xFFF");
    EXPECT_EQ(large.Get("RG10_Mwp").items.size(), 4u);
}

// The 16C715's page at the chip's own positions.
TEST(PicPages, Page17WritesWhereThe16C715KeepsItsBits) {
    ConfigRig rig(ConfigRig::Shipped("16C715"));
    rig.PutWord(1, 0x3FFF);
    rig.Open();
    EXPECT_EQ(rig.Get("RG17_Osc").value, 3);
    EXPECT_EQ(rig.Get("RG17_Prot").value, 3);
    rig.Click("CB17_Mpe", 0);
    EXPECT_EQ(rig.Word(1), 0x3F7F);
    rig.Click("RG17_Prot", 0);
    EXPECT_EQ(rig.Word(1), 0x004F);
}

// The 14000's calibration space is protected by a 0 in bits 13, 8 and 7,
// its program memory by 0s in bits 12..9, 5 and 4.
TEST(PicPages, Page7ProtectsAsThe14000Does) {
    ConfigRig rig(ConfigRig::Shipped("14000"));
    rig.PutWord(1, 0x3FBD);
    rig.Open();
    EXPECT_EQ(rig.Get("CB7_Cpc").value, 0);
    rig.Click("CB7_Cpc", 1);
    EXPECT_EQ(rig.Word(1), 0x1E3D);
    EXPECT_EQ(rig.Get("CB7_Cpc").value, 1);
    EXPECT_EQ(rig.Get("RG7_Prot").value, 1) << "the program memory stays unprotected";
    rig.Click("RG7_Prot", 0);
    EXPECT_EQ(rig.Word(1), 0x000D);
    rig.Click("CB7_Cpc", 0);
    EXPECT_EQ(rig.Word(1), 0x218D);
}

TEST(PicPages, TabsAreCaptionedAsTheirPartsAre) {
    struct Case {
        const char* part;
        std::vector<std::pair<std::string, std::string>> tabs;
    };
    for (const Case& c : {Case{"16F84A", {{"Page9", "16F84A"}}},
                          Case{"16F767", {{"Page4", "16F767"}, {"Page4A", "Page 2"}}},
                          Case{"16F886", {{"Page10", "16F886"}, {"Page10A", "Page2"}}},
                          Case{"16F88", {{"Page33", "16F88"}, {"Page33A", "Page 2"}}},
                          Case{"16C54C", {{"Page40", "16C54C"}}}, Case{"17C43", {}}}) {
        ConfigRig rig(ConfigRig::Shipped(c.part));
        rig.Open();
        std::vector<std::pair<std::string, std::string>> tabs;
        for (const auto& page : rig.model.Pages()) tabs.emplace_back(page.Name(), page.caption);
        EXPECT_EQ(tabs, c.tabs) << c.part;
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            rig.model.SetActivePage(static_cast<int>(i));
            EXPECT_EQ(rig.model.IdGroupVisible(), i == 0) << c.part << " tab " << i;
        }
    }
}

// One assignment of every control, on a shipped part of its page, from a
// word inside the part's mask, and the words the data sheet gives after it.
struct Assignment {
    const char* part;
    const char* control;
    int choice;
    std::uint16_t before;
    std::uint16_t after;
    int word2Before = -1;
    int word2After = -1;
};

std::ostream& operator<<(std::ostream& os, const Assignment& a) {
    return os << a.part << " " << a.control << "=" << a.choice;
}

class EveryControl : public ::testing::TestWithParam<Assignment> {};

TEST_P(EveryControl, ChangesExactlyItsBits) {
    const Assignment& a = GetParam();
    ConfigRig rig(ConfigRig::Shipped(a.part));
    rig.PutWord(1, a.before);
    if (a.word2Before >= 0) rig.PutWord(2, static_cast<std::uint16_t>(a.word2Before));
    rig.Open();
    ASSERT_EQ(rig.Word(1), a.before) << "the word is not inside the part's mask";
    const auto& control = rig.Get(a.control);
    ASSERT_TRUE(control.visible && control.enabled);
    rig.Click(a.control, a.choice);
    EXPECT_EQ(fmt::format("{:04X}", rig.Word(1)), fmt::format("{:04X}", a.after));
    if (a.word2After >= 0) {
        EXPECT_EQ(fmt::format("{:04X}", rig.Word(2)), fmt::format("{:04X}", a.word2After));
    }
    EXPECT_EQ(rig.Get(a.control).value, a.choice) << "the control shows what it wrote";
}

const Assignment kAssignments[] = {
    {"16C52", "RG0_Osc", 1, 0x0008, 0x000A},
    {"16C52", "RG0_Prot", 0, 0x000A, 0x0002},
    {"16C61", "RG1_Osc", 2, 0x001F, 0x001E},
    {"16C61", "CB1_Pwt", 0, 0x001F, 0x0017},
    {"16C61", "CB1_Wdt", 0, 0x001F, 0x001B},
    {"16C61", "RG1_Prot", 0, 0x001F, 0x000F},
    {"16C62", "RG2_Osc", 0, 0x003F, 0x003C},
    {"16C62", "CB2_Pwt", 0, 0x003F, 0x0037},
    {"16C62", "CB2_Wdt", 0, 0x003F, 0x003B},
    {"16C62", "RG2_Prot", 1, 0x003F, 0x001F},
    {"16C62B", "RG3_Prot2k", 2, 0x3F7F, 0x2A6F},
    {"16C62B", "CB3_Pwt", 0, 0x3F7F, 0x3F77},
    {"16C62B", "CB3_Wdt", 0, 0x3F7F, 0x3F7B},
    {"16C62B", "CB3_Bod", 0, 0x3F7F, 0x3F3F},
    {"16C62B", "RG3_Osc", 1, 0x3F7F, 0x3F7D},
    {"16C621A", "RG3_Prot1k", 1, 0x3F7F, 0x155F},
    {"16C620A", "RG3_Prot05k", 0, 0x3F7F, 0x004F},
    {"16F767", "CB4_Pwt", 0, 0x39FF, 0x39F7, 0x0043, 0x0043},
    {"16F767", "CB4_Wdt", 0, 0x39FF, 0x39FB, 0x0043, 0x0043},
    {"16F767", "CB4_Mcl", 0, 0x39FF, 0x39DF, 0x0043, 0x0043},
    {"16F767", "CB4_Ieso", 0, 0x39FF, 0x39FF, 0x0043, 0x0041},
    {"16F767", "CB4_Fcmen", 0, 0x39FF, 0x39FF, 0x0043, 0x0042},
    {"16F767", "RG4_Bor", 2, 0x39FF, 0x39FF, 0x0043, 0x0003},
    {"16F767", "RG4_Borv", 1, 0x39FF, 0x38FF, 0x0043, 0x0043},
    {"16F767", "RG4_Osc", 4, 0x39FF, 0x39FC, 0x0043, 0x0043},
    {"16F767", "RG4_Prot", 0, 0x39FF, 0x19FF, 0x0043, 0x0043},
    {"16F767", "RG4_Mux", 0, 0x39FF, 0x29FF, 0x0043, 0x0043},
    {"10F200", "RG5_Cp", 0, 0x001C, 0x0014},
    {"10F200", "CB5_Mcl", 0, 0x001C, 0x000C},
    {"10F200", "CB5_Wdt", 0, 0x001C, 0x0018},
    {"10F222", "CB5_Mcpu", 0, 0x001F, 0x001D},
    {"10F222", "RG5_Iofs", 0, 0x001F, 0x001E},
    {"12C671", "CB6_Pwt", 0, 0x3FFF, 0x3FEF},
    {"12C671", "CB6_Wdt", 0, 0x3FFF, 0x3FF7},
    {"12C671", "CB6_Mcl", 0, 0x3FFF, 0x3F7F},
    {"12C671", "RG6_Osc", 4, 0x3FFF, 0x3FFC},
    {"12C671", "RG6_Cp", 1, 0x3FFF, 0x15BF},
    {"14000", "RG7_Prot", 0, 0x3FBD, 0x218D},
    {"14000", "RG7_Osc", 0, 0x3FBD, 0x3FBC},
    {"14000", "CB7_Pwt", 0, 0x3FBD, 0x3FB5},
    {"14000", "CB7_Wdt", 0, 0x3FBD, 0x3FB9},
    {"14000", "CB7_Cpc", 1, 0x3FBD, 0x1E3D},
    {"16C710", "CB8_Pwt", 0, 0x3FFF, 0x3FF7},
    {"16C710", "CB8_Wdt", 0, 0x3FFF, 0x3FFB},
    {"16C710", "CB8_Bod", 0, 0x3FFF, 0x3FBF},
    {"16C710", "RG8_Osc", 0, 0x3FFF, 0x3FFC},
    {"16C710", "RG8_Prot", 0, 0x3FFF, 0x004F},
    {"16F84A", "CB9_Pwt", 0, 0x3FFF, 0x3FF7},
    {"16F84A", "CB9_Wdt", 0, 0x3FFF, 0x3FFB},
    {"16F84A", "RG9_Osc", 1, 0x3FFF, 0x3FFD},
    {"16F84A", "RG9_Prot", 0, 0x3FFF, 0x000F},
    {"16F886", "RG10_Osc", 3, 0x3FFF, 0x3FFB, 0x0700, 0x0700},
    {"16F886", "CB10_Debug", 0, 0x3FFF, 0x1FFF, 0x0700, 0x0700},
    {"16F886", "CB10_Lvp", 0, 0x3FFF, 0x2FFF, 0x0700, 0x0700},
    {"16F886", "CB10_Fcmen", 0, 0x3FFF, 0x37FF, 0x0700, 0x0700},
    {"16F886", "CB10_EEPro", 0, 0x3FFF, 0x3F7F, 0x0700, 0x0700},
    {"16F886", "CB10_Ieso", 0, 0x3FFF, 0x3BFF, 0x0700, 0x0700},
    {"16F886", "CB10_Mclr", 0, 0x3FFF, 0x3FDF, 0x0700, 0x0700},
    {"16F886", "CB10_Pwrt", 0, 0x3FFF, 0x3FEF, 0x0700, 0x0700},
    {"16F886", "CB10_Wdt", 0, 0x3FFF, 0x3FF7, 0x0700, 0x0700},
    {"16F886", "RG10_BorVolts", 0, 0x3FFF, 0x3FFF, 0x0700, 0x0600},
    {"16F886", "RG10_Borbits", 1, 0x3FFF, 0x3DFF, 0x0700, 0x0700},
    {"16F886", "RG10_Mwp", 2, 0x3FFF, 0x3FFF, 0x0700, 0x0500},
    {"16F886", "RG10_Cp", 0, 0x3FFF, 0x3FBF, 0x0700, 0x0700},
    {"16F882", "RG10_Mwp", 1, 0x3FFF, 0x3FFF, 0x0700, 0x0300},
    {"16C558", "CB12_Pwt", 0, 0x3F3F, 0x3F37},
    {"16C558", "CB12_Wdt", 0, 0x3F3F, 0x3F3B},
    {"16C558", "RG12_Osc", 2, 0x3F3F, 0x3F3E},
    {"16C558", "RG12_Prot2k", 1, 0x3F3F, 0x151F},
    {"16C554", "RG12_Prot05k", 0, 0x3F3F, 0x000F},
    {"12C508A", "RG15_Osc", 2, 0x001F, 0x001E},
    {"12C508A", "CB15_Wdt", 0, 0x001F, 0x001B},
    {"12C508A", "CB15_Mclr", 0, 0x001F, 0x000F},
    {"12C508A", "RG15_Prot", 0, 0x001F, 0x0017},
    {"12F508", "RG15_Prot", 0, 0x001F, 0x0017},
    {"12F510", "RG15_Iofs", 0, 0x003F, 0x001F},
    {"12F683", "RG16_Osc", 5, 0x0FFF, 0x0FFD},
    {"12F683", "CB16_Pwt", 0, 0x0FFF, 0x0FEF},
    {"12F683", "CB16_Wdt", 0, 0x0FFF, 0x0FF7},
    {"12F683", "CB16_Mcl", 0, 0x0FFF, 0x0FDF},
    {"12F683", "CB16_Ieso", 0, 0x0FFF, 0x0BFF},
    {"12F683", "CB16_Fcmen", 0, 0x0FFF, 0x07FF},
    {"12F683", "RG16_CProt", 0, 0x0FFF, 0x0FBF},
    {"12F683", "RG16_DProt", 0, 0x0FFF, 0x0F7F},
    {"12F683", "RG16_Bod", 2, 0x0FFF, 0x0EFF},
    {"16F913", "CB16_Wur", 0, 0x1FFF, 0x0FFF},
    {"16C715", "RG17_Osc", 0, 0x3FFF, 0x3FFC},
    {"16C715", "CB17_Pwt", 0, 0x3FFF, 0x3FF7},
    {"16C715", "CB17_Wdt", 0, 0x3FFF, 0x3FFB},
    {"16C715", "CB17_Bod", 0, 0x3FFF, 0x3FBF},
    {"16C715", "CB17_Mpe", 0, 0x3FFF, 0x3F7F},
    {"16C715", "RG17_Prot", 1, 0x3FFF, 0x15DF},
    {"16C54", "RG40_Osc", 1, 0x000F, 0x000D},
    {"16C54", "CB40_Wdt", 0, 0x000F, 0x000B},
    {"16C54", "RG40_Prot", 0, 0x000F, 0x0007},
    {"16C54C", "RG40_Osc", 0, 0x0FFF, 0x0FFC},
    {"16C54C", "CB40_Wdt", 0, 0x0FFF, 0x0FFB},
    {"16C54C", "RG40_Prot", 0, 0x0FFF, 0x0007},
    {"16C505", "CB20_Wdt", 0, 0x0FFF, 0x0FF7},
    {"16C505", "CB20_Mclr", 0, 0x0FFF, 0x0FDF},
    {"16C505", "RG20_OscC", 4, 0x0FFF, 0x0FFC},
    {"16C505", "RG20_Cp", 0, 0x0FFF, 0x002F},
    {"16F505", "RG20_OscF", 3, 0x003F, 0x003B},
    {"16F505", "RG20_Cp", 0, 0x003F, 0x002F},
    {"16F877", "RG21_Prot8k", 1, 0x3BFF, 0x1BDF},
    {"16F877", "RG21_Osc", 0, 0x3BFF, 0x3BFC},
    {"16F877", "CB21_Pwt", 0, 0x3BFF, 0x3BF7},
    {"16F877", "CB21_Wdt", 0, 0x3BFF, 0x3BFB},
    {"16F877", "CB21_Bod", 0, 0x3BFF, 0x3BBF},
    {"16F877", "CB21_Debug", 0, 0x3BFF, 0x33FF},
    {"16F877", "CB21_Lvp", 0, 0x3BFF, 0x3B7F},
    {"16F877", "CB21_Cpd", 0, 0x3BFF, 0x3AFF},
    {"16F877", "CB21_Fmw", 0, 0x3BFF, 0x39FF},
    {"16F870", "RG21_Prot2k", 0, 0x3BFF, 0x0BCF},
    {"16C773", "RG22_Osc", 0, 0x3F7F, 0x3F7C},
    {"16C773", "CB22_Pwt", 0, 0x3F7F, 0x3F77},
    {"16C773", "CB22_Wdt", 0, 0x3F7F, 0x3F7B},
    {"16C773", "CB22_Bor", 0, 0x3F7F, 0x3F3F},
    {"16C773", "RG22_Prot", 2, 0x3F7F, 0x2E6F},
    {"16F628", "RG23_Osc", 3, 0x3DFF, 0x3DEF},
    {"16F628", "RG23_Prot2k", 1, 0x3DFF, 0x15FF},
    {"16F628", "CB23_Pwt", 0, 0x3DFF, 0x3DF7},
    {"16F628", "CB23_Wdt", 0, 0x3DFF, 0x3DFB},
    {"16F628", "CB23_Bod", 0, 0x3DFF, 0x3DBF},
    {"16F628", "CB23_Mcl", 0, 0x3DFF, 0x3DDF},
    {"16F628", "CB23_Lvp", 0, 0x3DFF, 0x3D7F},
    {"16F628", "CB23_Cpd", 0, 0x3DFF, 0x3CFF},
    {"16F627", "RG23_Prot1k", 1, 0x3DFF, 0x15FF},
    {"16F73", "RG24_Osc", 0, 0x005F, 0x005C},
    {"16F73", "CB24_Pwt", 0, 0x005F, 0x0057},
    {"16F73", "CB24_Wdt", 0, 0x005F, 0x005B},
    {"16F73", "CB24_Bod", 0, 0x005F, 0x001F},
    {"16F73", "RG24_Prot", 0, 0x005F, 0x004F},
    {"16C745", "CB29_Put", 0, 0x3F3F, 0x3F37},
    {"16C745", "CB29_Wdt", 0, 0x3F3F, 0x3F3B},
    {"16C745", "RG29_Prot", 0, 0x3F3F, 0x000F},
    {"16C745", "RG29_Osc", 2, 0x3F3F, 0x3F3E},
    {"16F877A", "RG30_Osc", 0, 0x2FCF, 0x2FCC},
    {"16F877A", "CB30_Pwt", 0, 0x2FCF, 0x2FC7},
    {"16F877A", "CB30_Wdt", 0, 0x2FCF, 0x2FCB},
    {"16F877A", "CB30_Bod", 0, 0x2FCF, 0x2F8F},
    {"16F877A", "CB30_Debug", 0, 0x2FCF, 0x27CF},
    {"16F877A", "CB30_Lvp", 0, 0x2FCF, 0x2F4F},
    {"16F877A", "CB30_Cpd", 0, 0x2FCF, 0x2ECF},
    {"16F877A", "RG30_Prot", 0, 0x2FCF, 0x0FCF},
    {"16F877A", "RG30_Wrt8k", 1, 0x2FCF, 0x2BCF},
    {"16F873A", "RG30_Wrt4k", 0, 0x2FCF, 0x29CF},
    {"16F628A", "RG31", 0, 0x21FF, 0x01FF},
    {"16F628A", "RG31_Osc", 6, 0x21FF, 0x21FE},
    {"16F628A", "CB31_Pwt", 0, 0x21FF, 0x21F7},
    {"16F628A", "CB31_Wdt", 0, 0x21FF, 0x21FB},
    {"16F628A", "CB31_Bod", 0, 0x21FF, 0x21BF},
    {"16F628A", "CB31_Mcl", 0, 0x21FF, 0x21DF},
    {"16F628A", "CB31_Lvp", 0, 0x21FF, 0x217F},
    {"16F628A", "CB31_Cpd", 0, 0x21FF, 0x20FF},
    {"12F675", "CB32_Pwt", 0, 0x31FF, 0x31EF},
    {"12F675", "CB32_Wdt", 0, 0x31FF, 0x31F7},
    {"12F675", "CB32_Bod", 0, 0x31FF, 0x31BF},
    {"12F675", "CB32_Mcl", 0, 0x31FF, 0x31DF},
    {"12F675", "CB32_Cpd", 0, 0x31FF, 0x30FF},
    {"12F675", "RG32_Osc", 4, 0x31FF, 0x31FC},
    {"12F675", "RG32", 0, 0x31FF, 0x317F},
    {"16F88", "CB33_Pwt", 0, 0x3FFF, 0x3FF7, 0x0003, 0x0003},
    {"16F88", "CB33_Wdt", 0, 0x3FFF, 0x3FFB, 0x0003, 0x0003},
    {"16F88", "CB33_Bod", 0, 0x3FFF, 0x3FBF, 0x0003, 0x0003},
    {"16F88", "CB33_Lvp", 0, 0x3FFF, 0x3F7F, 0x0003, 0x0003},
    {"16F88", "CB33_Cpd", 0, 0x3FFF, 0x3EFF, 0x0003, 0x0003},
    {"16F88", "CB33_Mcl", 0, 0x3FFF, 0x3FDF, 0x0003, 0x0003},
    {"16F88", "CB33_Debug", 0, 0x3FFF, 0x37FF, 0x0003, 0x0003},
    {"16F88", "CB33_Ieso", 0, 0x3FFF, 0x3FFF, 0x0003, 0x0001},
    {"16F88", "CB33_Fcmen", 0, 0x3FFF, 0x3FFF, 0x0003, 0x0002},
    {"16F88", "RG33_Osc", 5, 0x3FFF, 0x3FFD, 0x0003, 0x0003},
    {"16F88", "RG33_Prot", 0, 0x3FFF, 0x1FFF, 0x0003, 0x0003},
    {"16F88", "RG33_Write", 1, 0x3FFF, 0x3BFF, 0x0003, 0x0003},
    {"16F88", "RG33_Mux", 0, 0x3FFF, 0x2FFF, 0x0003, 0x0003},
};

std::string AssignmentName(const ::testing::TestParamInfo<Assignment>& info) {
    return fmt::format("{}_{}_{}", info.param.part, info.param.control, info.param.choice);
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryControl, ::testing::ValuesIn(kAssignments), AssignmentName);

// Every control of every page the shipped parts show has a row above.
TEST(PicPages, EveryControlOfEveryShownPageIsAssignedAbove) {
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    std::set<std::string> assigned;
    for (const Assignment& a : kAssignments) assigned.insert(a.control);
    std::set<std::string> missing;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto record = file->Record(m, d);
            if (!record || PicPageKindFor(*record) != PicPageKind::Standard) continue;
            ConfigRig rig(*record);
            rig.Open();
            for (const auto& page : rig.model.Pages()) {
                for (const auto& c : page.controls) {
                    if (c.visible && c.enabled && !assigned.count(std::string(c.Name()))) {
                        missing.insert(std::string(c.Name()));
                    }
                }
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << fmt::format("{}", fmt::join(missing, " "));
}

// How a stored word opens, where the pages decide more than one bit.
struct Opening {
    const char* part;
    std::uint16_t word1;
    const char* control;
    int value;
    int word2 = -1;
};

class Openings : public ::testing::TestWithParam<Opening> {};

TEST_P(Openings, ShowTheStoredChoice) {
    const Opening& o = GetParam();
    ConfigRig rig(ConfigRig::Shipped(o.part));
    rig.PutWord(1, o.word1);
    if (o.word2 >= 0) rig.PutWord(2, static_cast<std::uint16_t>(o.word2));
    rig.Open();
    EXPECT_EQ(rig.Get(o.control).value, o.value);
}

const Opening kOpenings[] = {
    {"16C621A", 0x3F7F, "RG3_Prot1k", 2},  // 11: beyond the last item, the last
    {"16C621A", 0x155F, "RG3_Prot1k", 1},      {"16C621A", 0x2A6F, "RG3_Prot1k", 2},
    {"16C620A", 0x3F5F, "RG3_Prot05k", 1},  // from bit 4 alone
    {"16F627", 0x29FF, "RG23_Prot1k", 2},      {"16F627", 0x3DFF, "RG23_Prot1k", 2},
    {"16F84A", 0x000F, "RG9_Prot", 0},         {"16F84A", 0x3FFF, "RG9_Prot", 1},
    {"16F84A", 0x3F0F, "RG9_Prot", -1},  // half protected is neither item
    {"14000", 0x1E3D, "CB7_Cpc", 1},           {"14000", 0x3FBD, "CB7_Cpc", 0},
    {"14000", 0x218D, "RG7_Prot", 0},          {"16C773", 0x3F3F, "CB22_Bor", 0},
    {"16C773", 0x3F77, "CB22_Bor", 1},         {"12F683", 0x0DFF, "RG16_Bod", 1},
    {"16F767", 0x39BF, "RG4_Bor", 1, 0x0043},  {"16F767", 0x39FF, "RG4_Bor", 2, 0x0003},
    {"16F767", 0x38FF, "RG4_Borv", 1, 0x0043}, {"16F628A", 0x21FE, "RG31_Osc", 6},
    {"12C671", 0x3FFB, "RG6_Osc", 3},          {"16C505", 0x0FFB, "RG20_OscC", 3},
    {"16C505", 0x002F, "RG20_Cp", 0},          {"16C54C", 0x0FF7, "RG40_Prot", 0},
};

INSTANTIATE_TEST_SUITE_P(Pages, Openings, ::testing::ValuesIn(kOpenings));

}  // namespace
}  // namespace karvo::test
