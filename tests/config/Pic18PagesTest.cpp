// The PIC18 and enhanced mid-range pages on the parts they are for: the
// Part's edge cases and the faults mended first, then one assignment of
// every control on a shipped part with the byte or word the data sheet
// gives for it, then openings.
#include <gtest/gtest.h>

#include <set>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "config/ConfigRig.h"

namespace karvo::test {
namespace {

std::vector<std::string> Tabs(const ConfigModel& model) {
    std::vector<std::string> tabs;
    for (const auto& page : model.Pages()) tabs.push_back(page.caption);
    return tabs;
}

TEST(Pic18Pages, SetsShowTheirTabsAndTheIdBytesOnTheFirst) {
    struct Case {
        const char* part;
        std::vector<std::string> tabs;
    };
    for (const Case& c :
         {Case{"18F452", {"18F452", " Page 2", " Page 3"}},
          Case{"18F1320", {"18F1320", " Page 2", " Page 3"}},
          Case{"18F4550", {"18F4550", " Page 2", " Page 3", " Page 4"}},
          Case{"18F25K50", {"18F25K50", " Page 2", " Page 3", " Page 4", " Page 5"}},
          Case{"16F1938", {"16F1938", "Page2"}}}) {
        ConfigRig rig(ConfigRig::Shipped(c.part));
        rig.Open();
        EXPECT_EQ(Tabs(rig.model), c.tabs) << c.part;
        for (std::size_t i = 0; i < c.tabs.size(); ++i) {
            rig.model.SetActivePage(static_cast<int>(i));
            EXPECT_EQ(rig.model.IdGroupVisible(), i == 0) << c.part << " tab " << i;
        }
    }
}

// The 18F4550 opening clears 4H and 3L, which the part lacks, and nothing
// else, even when nothing is clicked.
TEST(Pic18Pages, OpeningThe18F4550ClearsTheTwoBytesThePartNames) {
    ConfigRig rig(ConfigRig::Shipped("18F4550"));
    for (std::uint8_t i = 0; i < 14; ++i) rig.buffer[rig.Config() + i] = 0xFF;
    rig.Open();
    for (std::uint8_t i = 0; i < 14; ++i) {
        const bool cleared = i == 5 || i == 6;  // 3L, 4H
        EXPECT_EQ(rig.buffer[rig.Config() + i], cleared ? 0x00 : 0xFF) << "byte " << int{i};
    }
    EXPECT_EQ(rig.Label("Label18"), "00");
    EXPECT_EQ(rig.Label("Label19"), "00");
    EXPECT_EQ(rig.Label("Label13"), "FF");
}

TEST(Pic18Pages, The18F452ClearsOneLowAndShowsNoBytes) {
    ConfigRig rig(ConfigRig::Shipped("18F452"));
    for (std::uint8_t i = 0; i < 14; ++i) rig.buffer[rig.Config() + i] = 0xFF;
    rig.Open();
    EXPECT_EQ(rig.Read("1L"), 0x00u);
    EXPECT_EQ(rig.Read("3L"), 0x00u);
    EXPECT_EQ(rig.Read("4H"), 0x00u);
    EXPECT_EQ(rig.Label("Label13"), "(no Label13)");
    ConfigRig xx31(ConfigRig::Shipped("18F4431"));
    for (std::uint8_t i = 0; i < 14; ++i) xx31.buffer[xx31.Config() + i] = 0xFF;
    xx31.Open();
    EXPECT_EQ(xx31.Read("3L"), 0xFFu) << "the 18Fxx31 keeps its PWM options";
}

TEST(Pic18Pages, Page27SmallPartAndTheWatchdogBox) {
    ConfigRig rig(ConfigRig::Shipped("18F242"));
    rig.Put("2H", 0x01);
    rig.Open();
    for (const char* hidden :
         {"CB27_Cp4000", "CB27_Cp6000", "CB27_Tr2", "CB27_Tr3", "CB27_Wrt2", "CB27_Wrt3"}) {
        EXPECT_FALSE(rig.Get(hidden).visible) << hidden;
    }
    EXPECT_TRUE(rig.Get("RG27_Wdt").enabled);
    rig.Click("CB27_Wdt", 0);
    EXPECT_EQ(rig.Read("2H"), 0x0Eu);
    EXPECT_FALSE(rig.Get("RG27_Wdt").enabled);
    EXPECT_EQ(rig.Get("CB27_Ccp").caption, "CCP2 / RC1") << "3H is still the blank 0xFF";
    ConfigRig large(ConfigRig::Shipped("18F452"));
    large.Open();
    EXPECT_TRUE(large.Get("CB27_Tr3").visible);
    large.Click("CB27_Ccp", 1);
    EXPECT_EQ(large.Get("CB27_Ccp").caption, "CCP2 / RC1");
    large.Click("CB27_Ccp", 0);
    EXPECT_EQ(large.Get("CB27_Ccp").caption, "CCP2 / RB3");
    ConfigRig can(ConfigRig::Shipped("18F458"));
    can.Open();
    EXPECT_FALSE(can.Get("CB27_Ccp").visible);
}

TEST(Pic18Pages, Page34OscillatorOpensOnTheChipsCodes) {
    ConfigRig rig(ConfigRig::Shipped("18F4320"));
    rig.Put("1H", 0x0F);
    rig.Open();
    EXPECT_EQ(rig.Get("RG34_Osc").value, 9);
    EXPECT_EQ(rig.Get("RG34_Osc").items[9], "Ext RC + CLKout on RA6");
    rig.Click("RG34_Osc", 4);
    EXPECT_EQ(rig.Read("1H"), 0x05u) << "0101, bits 5..4 cleared";
    EXPECT_EQ(rig.Label("Label13"), "05");
}

// 0011 (and 101x) is no oscillator of the 18F1220 ... 18F4320: no item, not
// "HS". The 18Fxx31 has RC with CLKO there.
TEST(Pic18Pages, Page34ShowsNoItemForACodeThePartLacks) {
    for (const auto& [part, code, item] :
         {std::tuple{"18F4320", 0x03, -1}, std::tuple{"18F1320", 0x03, -1},
          std::tuple{"18F4320", 0x0A, -1}, std::tuple{"18F4320", 0x0B, -1},
          std::tuple{"18F4320", 0x0C, 9}, std::tuple{"18F4431", 0x03, 9},
          std::tuple{"18F4431", 0x0A, 9}, std::tuple{"18F4320", 0x02, 2},
          std::tuple{"18F4320", 0x09, 8}}) {
        ConfigRig rig(ConfigRig::Shipped(part));
        rig.Put("1H", static_cast<std::uint32_t>(code));
        rig.Open();
        EXPECT_EQ(rig.Get("RG34_Osc").value, item) << part << " " << code;
    }
}

TEST(Pic18Pages, Page34Variants) {
    ConfigRig f4320(ConfigRig::Shipped("18F4320"));
    f4320.Open();
    EXPECT_TRUE(f4320.Get("CB34_Ccp").visible);
    EXPECT_TRUE(f4320.Get("CB34_Pbad").visible);
    EXPECT_FALSE(f4320.Get("CB34_Winen").visible);
    EXPECT_FALSE(f4320.Get("CB34_Pwm4").visible);
    EXPECT_FALSE(f4320.Get("CB34_SSP").visible) << "no SSP multiplexer on the 18F4320";
    EXPECT_TRUE(f4320.Get("CB34_Cp3").visible);
    ConfigRig f4220(ConfigRig::Shipped("18F4220"));
    f4220.Open();
    EXPECT_FALSE(f4220.Get("CB34_Cp2").visible) << "4 KiB: blocks 0 and 1 only";
    ConfigRig f1320(ConfigRig::Shipped("18F1320"));
    f1320.Open();
    EXPECT_FALSE(f1320.Get("CB34_Ccp").visible);
    EXPECT_FALSE(f1320.Get("CB34_Pbad").visible);
    EXPECT_FALSE(f1320.Get("CB34_Wrt3").visible);
    ConfigRig f4331(ConfigRig::Shipped("18F4331"));
    f4331.Open();
    EXPECT_EQ(f4331.Get("CB34_Ccp").caption, "FLTA Mux RC1");
    EXPECT_FALSE(f4331.Get("CB34_Pbad").visible);
    EXPECT_TRUE(f4331.Get("CB34_Pwm4").visible);
    EXPECT_TRUE(f4331.Get("CB34_SSP").visible);
    EXPECT_FALSE(f4331.Get("CB34_Tr2").visible) << "8 KiB 18Fxx31";
    ConfigRig f4431(ConfigRig::Shipped("18F4431"));
    f4431.Open();
    EXPECT_TRUE(f4431.Get("CB34_Tr2").visible);
}

// WINEN opens the watchdog window when it is 0: the box that says "enable"
// is checked for 0.
TEST(Pic18Pages, WindowedWatchdogIsCheckedWhenTheWindowIsOn) {
    ConfigRig rig(ConfigRig::Shipped("18F4431"));
    rig.Put("2H", 0x3F);
    rig.Open();
    EXPECT_EQ(rig.Get("CB34_Winen").value, 0);
    rig.Click("CB34_Winen", 1);
    EXPECT_EQ(rig.Read("2H"), 0x1Fu);
}

TEST(Pic18Pages, Page36OscillatorOpensOnItsLastItemsByTheChipsCodes) {
    ConfigRig usb(ConfigRig::Shipped("18F4550"));
    usb.Put("1H", 0x0E);
    usb.Open();
    EXPECT_EQ(usb.Get("RG36_Osc").value, 11);
    EXPECT_FALSE(usb.Get("RG37_Osc").visible);
    // 110x is HS, 111x HS with the PLL.
    for (const auto& [code, item] : {std::pair{0x0C, 10}, std::pair{0x0D, 10}, std::pair{0x0F, 11},
                                     std::pair{0x01, 0}, std::pair{0x03, 1}, std::pair{0x05, 3}}) {
        ConfigRig again(ConfigRig::Shipped("18F4550"));
        again.Put("1H", static_cast<std::uint32_t>(code));
        again.Open();
        EXPECT_EQ(again.Get("RG36_Osc").value, item) << code;
    }
    ConfigRig plain(ConfigRig::Shipped("18F4520"));
    plain.Put("1H", 0x0F);
    plain.Open();
    EXPECT_EQ(plain.Get("RG37_Osc").value, 10);
    EXPECT_FALSE(plain.Get("RG36_Osc").visible);
}

TEST(Pic18Pages, Page36ProtectionClearsBitsSevenAndSix) {
    ConfigRig rig(ConfigRig::Shipped("18F4550"));
    rig.Put("5L", 0xFF);
    rig.Open();
    rig.Click("CB36_Cp0", 1);
    EXPECT_EQ(rig.Read("5L"), 0x3Eu);
}

TEST(Pic18Pages, Page36VariantsBySetAndSize) {
    struct Case {
        const char* part;
        std::vector<std::string> shown;
        std::vector<std::string> hidden;
    };
    const Case cases[] = {
        {"18F4550",
         {"RG36_Osd", "RG36_Clkdiv", "CB36_Vreg", "CB36_Pll", "CB36_Ccp2", "CB36_Icport",
          "CB36_Cp3", "CB36_Cpd"},
         {"RG37_BB", "RG42_BB", "CB36_Cp4", "CB36_Cp5"}},
        {"18F2550", {"CB36_Ccp2"}, {"CB36_Icport"}},
        {"18F2455", {"CB36_Cp2"}, {"CB36_Cp3", "CB36_Tr3", "CB36_Wrt3"}},
        {"18F4520", {"CB36_Ccp2"}, {"RG36_Osd", "CB36_Vreg", "CB36_Pll", "CB36_Icport"}},
        {"18F4580", {"RG42_BB"}, {"CB36_Ccp2", "CB36_Icport", "RG37_BB"}},
        {"18F4450", {"RG36_Osd", "RG42_BB", "CB36_Icport"}, {"CB36_Ccp2", "CB36_Cpd", "CB36_Wrtd"}},
        {"18F2450", {"RG42_BB"}, {"CB36_Icport", "CB36_Cp2"}},
        {"18F4680", {"RG37_BB"}, {"RG42_BB", "CB36_Icport"}},
        {"18F4585", {"CB36_Cp2"}, {"CB36_Cp3"}},
        {"18F4682", {"CB36_Cp4", "CB36_Tr4", "CB36_Wrt4"}, {"CB36_Cp5", "CB36_Tr5", "CB36_Wrt5"}},
        {"18F4685", {"CB36_Cp4", "CB36_Cp5", "CB36_Tr5", "CB36_Wrt5"}, {"CB36_Icport"}},
        {"18F2420", {"CB36_Cp1"}, {"CB36_Cp2", "CB36_Cp3", "CB36_Tr2", "CB36_Wrt2"}},
    };
    for (const Case& c : cases) {
        ConfigRig rig(ConfigRig::Shipped(c.part));
        rig.Open();
        for (const auto& name : c.shown)
            EXPECT_TRUE(rig.Get(name).visible) << c.part << " " << name;
        for (const auto& name : c.hidden)
            EXPECT_FALSE(rig.Get(name).visible) << c.part << " " << name;
    }
}

TEST(Pic18Pages, Page38ProtectionWritesOnlyItsBitAndOffersNoReservedOscillator) {
    ConfigRig rig(ConfigRig::Shipped("18F25K50"));
    rig.Put("7L", 0xFF);
    rig.Put("6L", 0xFD);
    rig.Open();
    rig.Click("CB38_EBTR1", 1);
    EXPECT_EQ(rig.Read("7L"), 0xFDu);
    EXPECT_EQ(rig.Read("6L"), 0xFDu);
    for (const char* off : {"CB38_CP4", "CB38_EBTR5", "CB38_WRT4"})
        EXPECT_FALSE(rig.Get(off).enabled) << off;
    EXPECT_TRUE(rig.Get("CB38_CP2").enabled);
    // Item 14 stands for codes the part reserves: shown, never written.
    const auto& osc = rig.Get("RG38_Osc");
    EXPECT_EQ(osc.items.size(), 15u);
    EXPECT_FALSE(osc.Offered(14));
    EXPECT_TRUE(osc.Offered(13));
    rig.Put("1H", 0xF3);
    rig.Click("RG38_Osc", 14);
    EXPECT_EQ(rig.Read("1H"), 0xF3u);
    rig.Click("RG38_Osc", 13);
    EXPECT_EQ(rig.Read("1H"), 0xFDu);
    ConfigRig reserved(ConfigRig::Shipped("18F25K50"));
    reserved.Put("1H", 0x0F);
    reserved.Open();
    EXPECT_EQ(reserved.Get("RG38_Osc").value, 14) << "decoded, though not offered";
    ConfigRig small(ConfigRig::Shipped("18F24K50"));
    small.Open();
    for (const char* off : {"CB38_CP2", "CB38_WRT3", "CB38_EBTR2"})
        EXPECT_FALSE(small.Get(off).enabled) << off;
    EXPECT_FALSE(small.Get("CB38_ICPRT").visible) << "28 pins: no in-circuit port";
}

// The stored single-precision 3.6 is the LF part's VccMax: four levels.
TEST(Pic18Pages, Page38BrownOutLevelsFollowTheStoredVccMax) {
    ConfigRig lf(ConfigRig::Shipped("18LF25K50"));
    lf.Put("2L", 0x17);
    lf.Open();
    EXPECT_EQ(lf.Get("RG38_BORV").items.size(), 4u);
    EXPECT_EQ(lf.Get("RG38_BORV").value, 2);
    ConfigRig f(ConfigRig::Shipped("18F25K50"));
    f.Put("2L", 0x17);
    f.Open();
    EXPECT_EQ(f.Get("RG38_BORV").items, (std::vector<std::string>{"2.85V", "2.5V"}));
    EXPECT_EQ(f.Get("RG38_BORV").value, 0) << "from bit 3 alone";
    f.Click("RG38_BORV", 1);
    EXPECT_EQ(f.Read("2L"), 0x0Fu);
    // A VccMax near 3.6 that is not the stored 3.6 is not taken for it.
    DeviceRecord near = ConfigRig::Shipped("18LF25K50");
    near.SetFloat(DeviceRecord::kVccMax, 3.6001F);
    ConfigRig n(near);
    n.Open();
    EXPECT_EQ(n.Get("RG38_BORV").items.size(), 2u);
}

TEST(PicEnhancedPages, Page46WriteProtectionItemsBySize) {
    ConfigRig rig(ConfigRig::Shipped("16F1937"));
    rig.PutWord(2, 0x3730);
    rig.Open();
    EXPECT_EQ(rig.Get("RG46_Mwp").items,
              (std::vector<std::string>{"0x000 to 0x1FFF Words", "0x000 to 0xFFF Words",
                                        "0x000 to 0x1FF Words", "Off"}));
    rig.Click("RG46_Mwp", 3);
    EXPECT_EQ(rig.Word(2), 0x3733);
    EXPECT_EQ(rig.Label("Label16"), "33");
    for (const auto& [part, first] : {std::pair{"16F1938", "0x000 to 0x3FFF Words"},
                                      std::pair{"16F1934", "0x000 to 0xFFF Words"},
                                      std::pair{"12F1822", "0x000 to 0x7FF Words"}}) {
        ConfigRig other(ConfigRig::Shipped(part));
        other.Open();
        EXPECT_EQ(other.Get("RG46_Mwp").items[0], first) << part;
    }
}

TEST(PicEnhancedPages, Page46VariantsByType) {
    ConfigRig f1938(ConfigRig::Shipped("16F1938"));
    f1938.Open();
    EXPECT_TRUE(f1938.Get("RG46_Vcap").visible) << "a 5 V part with VCAP";
    EXPECT_FALSE(f1938.Get("RG46_USBLSCLK").visible);
    EXPECT_FALSE(f1938.Get("CB46_LPBOR").visible);
    ConfigRig lf(ConfigRig::Shipped("16LF1938"));
    lf.Open();
    EXPECT_FALSE(lf.Get("RG46_Vcap").visible);
    EXPECT_FALSE(lf.Get("RG46_Vcap").enabled);
    ConfigRig f1827(ConfigRig::Shipped("16F1827"));
    f1827.PutWord(2, 0x37FF);
    f1827.Open();
    EXPECT_FALSE(f1827.Get("RG46_Vcap").visible);
    f1827.Click("RG46_Mwp", 1);
    EXPECT_EQ(f1827.Word(2), 0x3711) << "bits 7..5 and 3..2 cleared as well";
    ConfigRig f1459(ConfigRig::Shipped("16F1459"));
    f1459.Open();
    EXPECT_FALSE(f1459.Get("CB46_EEPro").visible);
    EXPECT_EQ(f1459.Get("RG46_BorVolts").items,
              (std::vector<std::string>{"High Trip Point", "Low Trip Point"}));
    EXPECT_EQ(f1459.Get("CB46_Pll").caption, "PLL Enabled");
    EXPECT_EQ(f1459.Get("RG46_Vcap").caption, "CPU System Clock");
    EXPECT_TRUE(f1459.Get("RG46_PLLMULT").visible);
    EXPECT_TRUE(f1459.Get("RG46_USBLSCLK").visible);
    ConfigRig f1509(ConfigRig::Shipped("16F1509"));
    f1509.Open();
    EXPECT_EQ(f1509.Get("RG46_BorVolts").items,
              (std::vector<std::string>{"Set To 2.7V", "Set To 2.45V"}));
    for (const char* hidden : {"CB46_EEPro", "CB46_Pll", "RG46_PLLMULT", "RG46_Vcap"})
        EXPECT_FALSE(f1509.Get(hidden).visible) << hidden;
    DeviceRecord lf1509 = ConfigRig::Shipped("16F1509");
    lf1509.SetFloat(DeviceRecord::kVccMax, 3.6F);
    ConfigRig low(lf1509);
    low.Open();
    EXPECT_EQ(low.Get("RG46_BorVolts").items,
              (std::vector<std::string>{"Set To 2.7V", "Set To 1.9V"}));
}

// One assignment of every control on a shipped part: `before` is put into
// `unit` (everything else as the blank part opens), `after` read back.
struct Assignment {
    const char* part;
    const char* control;
    int choice;
    const char* unit;
    std::uint32_t before;
    std::uint32_t after;
};

std::ostream& operator<<(std::ostream& os, const Assignment& a) {
    return os << a.part << " " << a.control << "=" << a.choice;
}

class EveryPic18Control : public ::testing::TestWithParam<Assignment> {};

TEST_P(EveryPic18Control, ChangesExactlyItsBits) {
    const Assignment& a = GetParam();
    ConfigRig rig(ConfigRig::Shipped(a.part));
    rig.Put(a.unit, a.before);
    rig.Open();
    ASSERT_EQ(rig.Read(a.unit), a.before) << "the value does not survive the opening";
    const auto& control = rig.Get(a.control);
    ASSERT_TRUE(control.visible && control.enabled);
    rig.Click(a.control, a.choice);
    EXPECT_EQ(fmt::format("{:04X}", rig.Read(a.unit)), fmt::format("{:04X}", a.after));
    EXPECT_EQ(rig.Get(a.control).value, a.choice) << "the control shows what it wrote";
}

const Assignment kAssignments[] = {
    {"18F452", "RG27_Osc", 2, "1H", 0xFF, 0x22},
    {"18F452", "CB27_Pwt", 0, "2L", 0xFF, 0x0E},
    {"18F452", "CB27_Oscen", 0, "1H", 0xFF, 0x07},
    {"18F452", "CB27_Boren", 0, "2L", 0xFF, 0x0D},
    {"18F452", "RG27_Bor", 1, "2L", 0xFF, 0x07},
    {"18F452", "CB27_Wdt", 0, "2H", 0x01, 0x0E},
    {"18F452", "RG27_Wdt", 3, "2H", 0xFF, 0x07},
    {"18F452", "CB27_Lvp", 0, "4L", 0xFF, 0x81},
    {"18F452", "CB27_Ser", 0, "4L", 0xFF, 0x84},
    {"18F452", "CB27_Ccp", 0, "3H", 0xFF, 0x00},
    {"18F452", "CB27_Bkd", 0, "4L", 0xFF, 0x05},
    {"18F452", "CB27_Cpb", 1, "5H", 0xFF, 0x80},
    {"18F452", "CB27_Cp200", 1, "5L", 0xFF, 0x0E},
    {"18F452", "CB27_Cp2000", 1, "5L", 0xFF, 0x0D},
    {"18F452", "CB27_Cp4000", 1, "5L", 0xFF, 0x0B},
    {"18F452", "CB27_Cp6000", 1, "5L", 0xFF, 0x07},
    {"18F452", "CB27_Cpd", 1, "5H", 0xFF, 0x40},
    {"18F452", "CB27_Wrtb", 1, "6H", 0xFF, 0xA0},
    {"18F452", "CB27_Wrt0", 1, "6L", 0xFF, 0x0E},
    {"18F452", "CB27_Wrt1", 1, "6L", 0xFF, 0x0D},
    {"18F452", "CB27_Wrt2", 1, "6L", 0xFF, 0x0B},
    {"18F452", "CB27_Wrt3", 1, "6L", 0xFF, 0x07},
    {"18F452", "CB27_Wrtd", 1, "6H", 0xFF, 0x60},
    {"18F452", "CB27_Wrtc", 1, "6H", 0xFF, 0xC0},
    {"18F452", "CB27_Trb", 1, "7H", 0xFF, 0x00},
    {"18F452", "CB27_Tr0", 1, "7L", 0xFF, 0x0E},
    {"18F452", "CB27_Tr1", 1, "7L", 0xFF, 0x0D},
    {"18F452", "CB27_Tr2", 1, "7L", 0xFF, 0x0B},
    {"18F452", "CB27_Tr3", 1, "7L", 0xFF, 0x07},
    {"18F4320", "RG34_Osc", 4, "1H", 0xFF, 0xC5},
    {"18F4320", "CB34_Pwt", 0, "2L", 0xFF, 0x0E},
    {"18F4320", "CB34_Fcmem", 0, "1H", 0xFF, 0x8F},
    {"18F4320", "CB34_Boren", 0, "2L", 0xFF, 0x0D},
    {"18F4320", "CB34_Ieso", 0, "1H", 0xFF, 0x4F},
    {"18F4431", "CB34_SSP", 0, "3H", 0xFF, 0x99},
    {"18F4320", "RG34_Bor", 2, "2L", 0xFF, 0x0B},
    {"18F4320", "CB34_Wdt", 0, "2H", 0xFF, 0x3E},
    {"18F4320", "RG34_Wdt", 5, "2H", 0xFF, 0x2B},
    {"18F4320", "CB34_Lvp", 0, "4L", 0xFF, 0x81},
    {"18F4320", "CB34_Ser", 0, "4L", 0xFF, 0x84},
    {"18F4320", "CB34_Ccp", 0, "3H", 0xFF, 0x82},
    {"18F4431", "CB34_Ccp", 0, "3H", 0xFF, 0x9C},
    {"18F4320", "CB34_Bkd", 0, "4L", 0xFF, 0x05},
    {"18F4320", "CB34_Pbad", 0, "3H", 0xFF, 0x81},
    {"18F4320", "CB34_Mcl", 0, "3H", 0xFF, 0x03},
    {"18F4431", "CB34_Mcl", 0, "3H", 0xFF, 0x1D},
    {"18F4431", "CB34_Winen", 1, "2H", 0xFF, 0x1F},
    {"18F4431", "RG34_Wdt", 0, "2H", 0xFF, 0x21},
    {"18F4431", "CB34_Pwm4", 0, "3H", 0xFF, 0x95},
    {"18F4431", "CB34_Excm", 0, "3H", 0xFF, 0x8D},
    {"18F4431", "CB34_Pwmpin", 0, "3L", 0xFF, 0x38},
    {"18F4431", "CB34_GPTREN", 0, "3L", 0xFF, 0x1C},
    {"18F4431", "CB34_LPOL", 0, "3L", 0xFF, 0x34},
    {"18F4431", "CB34_HPOL", 0, "3L", 0xFF, 0x2C},
    {"18F4320", "CB34_Tr0", 1, "7L", 0xFF, 0x0E},
    {"18F4320", "CB34_Tr1", 1, "7L", 0xFF, 0x0D},
    {"18F4320", "CB34_Tr2", 1, "7L", 0xFF, 0x0B},
    {"18F4320", "CB34_Tr3", 1, "7L", 0xFF, 0x07},
    {"18F4320", "CB34_Trb", 1, "7H", 0xFF, 0x00},
    {"18F4320", "CB34_Wrt0", 1, "6L", 0xFF, 0x0E},
    {"18F4320", "CB34_Wrt1", 1, "6L", 0xFF, 0x0D},
    {"18F4320", "CB34_Wrt2", 1, "6L", 0xFF, 0x0B},
    {"18F4320", "CB34_Wrt3", 1, "6L", 0xFF, 0x07},
    {"18F4320", "CB34_Wrtb", 1, "6H", 0xFF, 0xA0},
    {"18F4320", "CB34_Wrtd", 1, "6H", 0xFF, 0x60},
    {"18F4320", "CB34_Wrtc", 1, "6H", 0xFF, 0xC0},
    {"18F4320", "CB34_Cp0", 1, "5L", 0xFF, 0x0E},
    {"18F4320", "CB34_Cp1", 1, "5L", 0xFF, 0x0D},
    {"18F4320", "CB34_Cp2", 1, "5L", 0xFF, 0x0B},
    {"18F4320", "CB34_Cp3", 1, "5L", 0xFF, 0x07},
    {"18F4320", "CB34_Cpb", 1, "5H", 0xFF, 0x80},
    {"18F4320", "CB34_Cpd", 1, "5H", 0xFF, 0x40},
    {"18F4550", "RG36_Osc", 11, "1H", 0xFF, 0xCE},
    {"18F4520", "RG37_Osc", 6, "1H", 0xFF, 0xC6},
    {"18F4550", "RG36_Osd", 4, "1L", 0xFF, 0x3C},
    {"18F4550", "RG36_Clkdiv", 2, "1L", 0xFF, 0x37},
    {"18F4550", "RG36_Bov", 1, "2L", 0xFF, 0x2F},
    {"18F4550", "RG36_Bor", 0, "2L", 0xFF, 0x39},
    {"18F4680", "RG37_BB", 2, "4L", 0xFF, 0xE5},
    {"18F4580", "RG42_BB", 0, "4L", 0xFF, 0xC5},
    {"18F4450", "RG42_BB", 0, "4L", 0xFF, 0xE5},
    {"18F4550", "CB36_Pwrt", 0, "2L", 0xFF, 0x3E},
    {"18F4550", "CB36_Fcm", 0, "1H", 0xFF, 0x8F},
    {"18F4550", "CB36_Vreg", 0, "2L", 0xFF, 0x1F},
    {"18F4550", "CB36_Ieso", 0, "1H", 0xFF, 0x4F},
    {"18F4550", "CB36_Pll", 0, "1L", 0xFF, 0x1F},
    {"18F4550", "CB36_Wdt", 0, "2H", 0xFF, 0x1E},
    {"18F4550", "CB36_Mclr", 0, "3H", 0xFF, 0x07},
    {"18F4550", "CB36_Lpt1", 0, "3H", 0xFF, 0x83},
    {"18F4550", "CB36_Pbad", 0, "3H", 0xFF, 0x85},
    {"18F4550", "CB36_Ccp2", 0, "3H", 0xFF, 0x86},
    {"18F4550", "CB36_Debug", 0, "4L", 0xFF, 0x7D},
    {"18F4550", "CB36_Xinst", 0, "4L", 0xFF, 0xBD},
    {"18F4550", "CB36_Icport", 0, "4L", 0xFF, 0xDD},
    {"18F4550", "CB36_Lvp", 0, "4L", 0xFF, 0xF9},
    {"18F4550", "CB36_Stvr", 0, "4L", 0xFF, 0xFC},
    {"18F4550", "RG36_Wdt", 7, "2H", 0xFF, 0x0F},
    {"18F4550", "CB36_Tr0", 1, "7L", 0xFF, 0x3E},
    {"18F4550", "CB36_Tr1", 1, "7L", 0xFF, 0x3D},
    {"18F4550", "CB36_Tr2", 1, "7L", 0xFF, 0x3B},
    {"18F4550", "CB36_Tr3", 1, "7L", 0xFF, 0x37},
    {"18F4685", "CB36_Tr4", 1, "7L", 0xFF, 0x2F},
    {"18F4685", "CB36_Tr5", 1, "7L", 0xFF, 0x1F},
    {"18F4550", "CB36_Trb", 1, "7H", 0xFF, 0x00},
    {"18F4550", "CB36_Wrt0", 1, "6L", 0xFF, 0x3E},
    {"18F4550", "CB36_Wrt1", 1, "6L", 0xFF, 0x3D},
    {"18F4550", "CB36_Wrt2", 1, "6L", 0xFF, 0x3B},
    {"18F4550", "CB36_Wrt3", 1, "6L", 0xFF, 0x37},
    {"18F4685", "CB36_Wrt4", 1, "6L", 0xFF, 0x2F},
    {"18F4685", "CB36_Wrt5", 1, "6L", 0xFF, 0x1F},
    {"18F4550", "CB36_Wrtb", 1, "6H", 0xFF, 0xA0},
    {"18F4550", "CB36_Wrtc", 1, "6H", 0xFF, 0xC0},
    {"18F4550", "CB36_Wrtd", 1, "6H", 0xFF, 0x60},
    {"18F4550", "CB36_Cp0", 1, "5L", 0xFF, 0x3E},
    {"18F4550", "CB36_Cp1", 1, "5L", 0xFF, 0x3D},
    {"18F4550", "CB36_Cp2", 1, "5L", 0xFF, 0x3B},
    {"18F4550", "CB36_Cp3", 1, "5L", 0xFF, 0x37},
    {"18F4685", "CB36_Cp4", 1, "5L", 0xFF, 0x2F},
    {"18F4685", "CB36_Cp5", 1, "5L", 0xFF, 0x1F},
    {"18F4550", "CB36_Cpb", 1, "5H", 0xFF, 0x80},
    {"18F4550", "CB36_Cpd", 1, "5H", 0xFF, 0x40},
    {"18F45K50", "RG38_USBLSDIV", 0, "1L", 0xFF, 0xDF},
    {"18F45K50", "RG38_CPUDIV", 1, "1L", 0xFF, 0xEF},
    {"18F45K50", "RG38_PLLEN", 0, "1L", 0xFF, 0xFD},
    {"18F45K50", "RG38_PLLMULT", 0, "1L", 0xFF, 0xFE},
    {"18F45K50", "CB38_LBPOR", 0, "2L", 0xFF, 0xBF},
    {"18F45K50", "CB38_PCLKEN", 0, "1H", 0xFF, 0xDF},
    {"18F45K50", "CB38_FCMEN", 0, "1H", 0xFF, 0xBF},
    {"18F45K50", "CB38_IESO", 0, "1H", 0xFF, 0x7F},
    {"18F45K50", "CB38_PWRTEN", 0, "2L", 0xFF, 0xFE},
    {"18F45K50", "CB38_MCLRE", 0, "3H", 0xFF, 0x7F},
    {"18F45K50", "RG38_SDOMX", 0, "3H", 0xFF, 0xBF},
    {"18F45K50", "RG38_Osc", 3, "1H", 0xFF, 0xF3},
    {"18F45K50", "CB38_LVP", 0, "4L", 0xFF, 0xFB},
    {"18F45K50", "CB38_DEBUG", 0, "4L", 0xFF, 0x7F},
    {"18F45K50", "CB38_ICPRT", 0, "4L", 0xFF, 0xDF},
    {"18F45K50", "CB38_PBADEN", 0, "3H", 0xFF, 0xFD},
    {"18F45K50", "CB38_XINST", 0, "4L", 0xFF, 0xBF},
    {"18F45K50", "CB38_STVREN", 0, "4L", 0xFF, 0xFE},
    {"18F45K50", "RG38_WDTPS", 2, "2H", 0xFF, 0xCB},
    {"18F45K50", "RG38_CCP2MX", 0, "3H", 0xFF, 0xFE},
    {"18F45K50", "RG38_WDTEN", 1, "2H", 0xFF, 0xFD},
    {"18F45K50", "RG38_BOREN", 2, "2L", 0xFF, 0xFD},
    {"18F45K50", "RG38_BORV", 1, "2L", 0xFF, 0xEF},
    {"18LF25K50", "RG38_BORV", 2, "2L", 0xFF, 0xF7},
    {"18F45K50", "RG38_T3CMX", 0, "3H", 0xFF, 0xEF},
    {"18F45K50", "CB38_EBTR0", 1, "7L", 0xFF, 0xFE},
    {"18F45K50", "CB38_EBTR1", 1, "7L", 0xFF, 0xFD},
    {"18F45K50", "CB38_EBTR2", 1, "7L", 0xFF, 0xFB},
    {"18F45K50", "CB38_EBTR3", 1, "7L", 0xFF, 0xF7},
    {"18F45K50", "CB38_EBTRB", 1, "7H", 0xFF, 0xBF},
    {"18F45K50", "CB38_WRT0", 1, "6L", 0xFF, 0xFE},
    {"18F45K50", "CB38_WRT1", 1, "6L", 0xFF, 0xFD},
    {"18F45K50", "CB38_WRT2", 1, "6L", 0xFF, 0xFB},
    {"18F45K50", "CB38_WRT3", 1, "6L", 0xFF, 0xF7},
    {"18F45K50", "CB38_WRTB", 1, "6H", 0xFF, 0xBF},
    {"18F45K50", "CB38_WRTC", 1, "6H", 0xFF, 0xDF},
    {"18F45K50", "CB38_WRTD", 1, "6H", 0xFF, 0x7F},
    {"18F45K50", "CB38_CP0", 1, "5L", 0xFF, 0xFE},
    {"18F45K50", "CB38_CP1", 1, "5L", 0xFF, 0xFD},
    {"18F45K50", "CB38_CP2", 1, "5L", 0xFF, 0xFB},
    {"18F45K50", "CB38_CP3", 1, "5L", 0xFF, 0xF7},
    {"18F45K50", "CB38_CPB", 1, "5H", 0xFF, 0xBF},
    {"18F45K50", "CB38_CPD", 1, "5H", 0xFF, 0x7F},
    {"16F1938", "RG46_Osc", 4, "w1", 0x3FFF, 0x3FFC},
    {"16F1938", "CB46_Fcmen", 0, "w1", 0x3FFF, 0x1FFF},
    {"16F1938", "CB46_Ieso", 0, "w1", 0x3FFF, 0x2FFF},
    {"16F1938", "CB46_Clkouten", 0, "w1", 0x3FFF, 0x37FF},
    {"16F1938", "CB46_EEPro", 0, "w1", 0x3FFF, 0x3EFF},
    {"16F1938", "CB46_Mclr", 0, "w1", 0x3FFF, 0x3FBF},
    {"16F1938", "CB46_Pwrt", 0, "w1", 0x3FFF, 0x3FDF},
    {"16F1938", "RG46_Borbits", 1, "w1", 0x3FFF, 0x3BFF},
    {"16F1938", "RG46_BorVolts", 0, "w2", 0x3733, 0x3333},
    {"16F1938", "RG46_Cp", 0, "w1", 0x3FFF, 0x3F7F},
    {"16F1938", "RG46_Mwp", 3, "w2", 0x3730, 0x3733},
    {"16F1938", "RG46_Wdt", 2, "w1", 0x3FFF, 0x3FF7},
    {"16F1938", "RG46_Vcap", 1, "w2", 0x3733, 0x3713},
    {"16F1938", "CB46_Debug", 0, "w2", 0x3733, 0x2733},
    {"16F1938", "CB46_Lvp", 0, "w2", 0x3733, 0x1733},
    {"16F1938", "CB46_Stvren", 0, "w2", 0x3733, 0x3533},
    {"16F1938", "CB46_Pll", 0, "w2", 0x3733, 0x3633},
    {"16F1459", "CB46_LPBOR", 0, "w2", 0x3FF3, 0x37F3},
    {"16F1459", "RG46_USBLSCLK", 0, "w2", 0x3FF3, 0x3FB3},
    {"16F1459", "RG46_PLLMULT", 0, "w2", 0x3FF3, 0x3F73},
    {"16F1459", "RG46_Vcap", 2, "w2", 0x3FF3, 0x3FE3},
    {"16F1827", "RG46_Mwp", 1, "w2", 0x3713, 0x3711},
};

std::string AssignmentName(const ::testing::TestParamInfo<Assignment>& info) {
    return fmt::format("{}_{}_{}", info.param.part, info.param.control, info.param.choice);
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryPic18Control, ::testing::ValuesIn(kAssignments),
                         AssignmentName);

// Every control a shipped part can click on these pages has a row above.
TEST(Pic18Pages, EveryControlOfEveryShownPageIsAssignedAbove) {
    std::set<std::string> assigned;
    for (const Assignment& a : kAssignments) assigned.insert(a.control);
    std::set<std::string> missing;
    for (const DeviceRecord& record : ShippedRecords("KARVO_m.usb")) {
        const PicPageKind kind = PicPageKindFor(record);
        if (kind != PicPageKind::Pic18 && kind != PicPageKind::Enhanced) continue;
        ConfigRig rig(record);
        rig.Open();
        for (const auto& page : rig.model.Pages()) {
            for (const auto& c : page.controls) {
                if (c.Kind() == config::ControlKind::Group) continue;
                if (c.visible && c.enabled && !assigned.count(std::string(c.Name()))) {
                    missing.insert(std::string(c.Name()));
                }
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << fmt::format("{}", fmt::join(missing, " "));
}

}  // namespace
}  // namespace karvo::test
