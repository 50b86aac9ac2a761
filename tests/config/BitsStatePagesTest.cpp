// The pages of TfrmConfig over ConfigBitsState: the Part's edge cases and
// the faults mended first, then one assignment of every control on a
// shipped part, then how the lock groups open.
#include <gtest/gtest.h>

#include <set>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "config/ConfigRig.h"
#include "config/StateFields.h"

namespace karvo::test {
namespace {

TEST(BitsStatePages, Mega8FuseLowE1OpensAsTheChipReadsIt) {
    ConfigRig rig(ConfigRig::Shipped("ATmega8"));
    rig.bits.FuseLow = 0xE1;
    rig.Open();
    EXPECT_EQ(rig.model.Which(), config::Dialog::Other);
    EXPECT_EQ(rig.Get("CB204_Cksel0").value, 1);
    for (const char* off : {"CB204_Cksel1", "CB204_Cksel2", "CB204_Cksel3", "CB204_Sut0"})
        EXPECT_EQ(rig.Get(off).value, 0) << off;
    EXPECT_EQ(rig.Get("CB204_Sut1").value, 1);
    EXPECT_EQ(rig.Get("CB204_Boden").value, 0);
    EXPECT_EQ(rig.Get("CB204_Bodlevel").value, 1);
    EXPECT_EQ(rig.Get("CB204_Bodlevel").caption, "BODLEVEL = 2.6V");
    EXPECT_EQ(rig.Label("Label13"), "E1");
    rig.Click("CB204_Bodlevel", 0);
    EXPECT_EQ(rig.Get("CB204_Bodlevel").caption, "BODLEVEL = 4.0V");
    EXPECT_EQ(rig.Label("Label13"), "61");
}

TEST(BitsStatePages, Tiny85BrownOutTwoPointSevenVolts) {
    ConfigRig rig(ConfigRig::Shipped("ATtiny85"));
    rig.bits.FuseHigh = 0xFF;
    rig.Open();
    EXPECT_EQ(rig.Get("RG209_BODLVL").value, 3) << "111: disabled";
    rig.Click("RG209_BODLVL", 1);
    EXPECT_EQ(rig.bits.FuseHigh, 0xFD);
    EXPECT_EQ(rig.Label("FH_Value"), "FD");
    ConfigRig low(ConfigRig::Shipped("ATtiny85"));
    low.bits.FuseHigh = 0x03;
    low.Open();
    EXPECT_EQ(low.Get("RG209_BODLVL").value, -1) << "below 100: no item";
}

// WDTON programmed (0) keeps the watchdog on: every box named for it is
// checked for 0, as CB204_Wdton always was.
TEST(BitsStatePages, WdtonIsCheckedWhenProgrammedOnEveryPage) {
    for (const auto& [part, box, bit] :
         {std::tuple{"ATmega8", "CB204_Wdton", 6}, std::tuple{"ATmega88/V", "CB205_Wdton", 4},
          std::tuple{"ATmega162", "CB207_wdton", 4}, std::tuple{"ATtiny85", "CB209_WDTON", 4}}) {
        ConfigRig rig(ConfigRig::Shipped(part));
        rig.bits.FuseHigh = 0xFF;
        rig.Open();
        EXPECT_EQ(rig.Get(box).value, 0) << part << ": unprogrammed";
        rig.Click(box, 1);
        EXPECT_EQ(rig.bits.FuseHigh, static_cast<std::uint8_t>(~(1U << bit))) << part;
    }
}

// The ATtiny2313 keeps BODLEVEL2..0 in bits 3..1 of the high fuse byte.
TEST(BitsStatePages, Tiny2313BrownOutUsesBitsThreeToOne) {
    ConfigRig rig(ConfigRig::Shipped("ATtiny2313"));
    rig.bits.FuseHigh = 0xFF;
    rig.Open();
    EXPECT_EQ(rig.Get("RG209_BODLVL").value, 3);
    rig.Click("RG209_BODLVL", 0);
    EXPECT_EQ(rig.bits.FuseHigh, 0xF9) << "100 in bits 3..1: 4.3 V";
    rig.Click("RG209_BODLVL", 2);
    EXPECT_EQ(rig.bits.FuseHigh, 0xFD) << "110: 1.8 V";
    EXPECT_EQ(rig.Get("RG209_BODLVL").value, 2);
    rig.Click("CB209_RSTDISBL", 1);
    EXPECT_EQ(rig.bits.FuseHigh, 0xFC) << "RSTDISBL is bit 0";
}

// The CKSEL list writes the chosen code and opens on the stored one; no
// choice writes 0000 (external clock) behind the user's back.
TEST(BitsStatePages, CkselListWritesAndOpensOnTheCode) {
    ConfigRig rig(ConfigRig::Shipped("ATtiny85"));
    rig.bits.FuseLow = 0x62;
    rig.Open();
    EXPECT_EQ(rig.Get("CKSEL_CB").value, 2);
    EXPECT_EQ(rig.Get("CKSEL_CB").items[2], "0010 -Internal 8 MHz Osc");
    rig.Click("CKSEL_CB", 12);
    EXPECT_EQ(rig.bits.FuseLow, 0x6F);
    EXPECT_EQ(rig.Label("FL_Value"), "6F");
    rig.Click("CKSEL_CB", 5);
    EXPECT_EQ(rig.bits.FuseLow, 0x68);
    rig.bits.FuseLow = 0x65;  // 0101: not in the list
    rig.Click("RG209_SUT", 2);
    EXPECT_EQ(rig.Get("CKSEL_CB").value, -1);
    ConfigRig tiny2313(ConfigRig::Shipped("ATtiny2313"));
    tiny2313.bits.FuseLow = 0x64;
    tiny2313.Open();
    EXPECT_EQ(tiny2313.Get("CKSEL_CB").value, 2);
    EXPECT_EQ(tiny2313.Get("CKSEL_CB").items[2], "0100 -Internal 8MHz Osc");
    tiny2313.Click("CKSEL_CB", 3);
    EXPECT_EQ(tiny2313.bits.FuseLow, 0x66);
}

// AT90S4414/4434/8515/8535: SPIEN in bit 1, FSTRT in bit 2.
TEST(BitsStatePages, Page202UsesEachChipsFuseBits) {
    for (const auto& [part, spien, fstrt, caption] :
         {std::tuple{"AT90S8515", 1, 2, "FSTRT"}, std::tuple{"AT90S8535", 1, 2, "FSTRT"},
          std::tuple{"AT90S2313", 5, 0, "FSTRT"}, std::tuple{"AT90S1200", 5, 0, "RCEN"},
          std::tuple{"AT90S2343", 5, 0, "RCEN"}}) {
        ConfigRig rig(ConfigRig::Shipped(part));
        rig.bits.FuseLow = 0xFF;
        rig.Open();
        EXPECT_EQ(rig.Get("CB202_Fstrt").caption, caption) << part;
        rig.Click("CB202_Spien", 1);
        EXPECT_EQ(rig.bits.FuseLow, static_cast<std::uint8_t>(~(1U << spien))) << part;
        rig.Click("CB202_Fstrt", 1);
        EXPECT_EQ(rig.bits.FuseLow, static_cast<std::uint8_t>(~((1U << spien) | (1U << fstrt))))
            << part;
    }
}

// The serial-flash page knows four sizes; another size gets no page rather
// than one that silently writes "None".
TEST(BitsStatePages, Page102RefusesSizesItDoesNotKnow) {
    ConfigRig known(ConfigRig::Shipped("W25X20"));
    known.bits.SpiStatus = 0x20;
    known.Open();
    ASSERT_EQ(known.model.Pages().size(), 1u);
    EXPECT_EQ(known.Get("RG102_BP").items,
              (std::vector<std::string>{"None", "000000h - 00FFFFh", "000000h - 01FFFFh", "All"}));
    known.Click("RG102_BP", 2);
    EXPECT_EQ(known.bits.SpiStatus, 0x28) << "bits 4..2 = 2";
    known.Click("RG102_TB", 0);
    EXPECT_EQ(known.Get("RG102_BP").items[1], "030000h - 03FFFFh");
    EXPECT_EQ(known.Get("RG102_BP").value, 2) << "rebuilding keeps the chosen index";
    ConfigRig other(DeviceBuilder('S', 0x5FFFF, "ODD").ConfigType(pages::kFirstSpiFlash));
    other.bits.SpiStatus = 0x1C;
    other.Open();
    EXPECT_TRUE(other.model.Pages().empty());
    EXPECT_EQ(other.bits.SpiStatus, 0x1C);
}

TEST(BitsStatePages, Page102WithoutSrpAndTopBottom) {
    ConfigRig rig(ConfigRig::Shipped("SST25VF080B"));
    rig.Open();
    EXPECT_FALSE(rig.Get("CB102_SRP").visible);
    EXPECT_FALSE(rig.Get("RG102_TB").visible);
    EXPECT_EQ(rig.Get("RG102_BP").items.size(), 6u);
}

TEST(BitsStatePages, Page100WpenChangesOnlyBitSeven) {
    ConfigRig rig(ConfigRig::Shipped("25LC640"));
    rig.bits.SpiStatus = 0x0C;
    rig.Open();
    EXPECT_EQ(rig.Get("RG100").value, 3);
    rig.Click("CB100_Wpen", 1);
    rig.Click("CB100_Wpen", 0);
    EXPECT_EQ(rig.bits.SpiStatus, 0x0C);
    ConfigRig small(ConfigRig::Shipped("25LC040A"));
    small.Open();
    EXPECT_FALSE(small.Get("GB100_Wpen").visible);
    EXPECT_FALSE(small.Get("CB100_Wpen").visible);
}

TEST(BitsStatePages, Page200CkselClearsTheUnusedBits) {
    ConfigRig rig(ConfigRig::Shipped("ATtiny11"));
    rig.bits.FuseLow = 0xFF;
    rig.Open();
    rig.Click("CB200_Cksel0", 1);
    EXPECT_EQ(rig.bits.FuseLow, 0x1E);
}

TEST(BitsStatePages, LockGroupsOfKindsAAndC) {
    ConfigRig mega(ConfigRig::Shipped("ATmega8"));
    mega.bits.LockBits = 0xFF;
    mega.Open();
    mega.Click("RG204A_LB", 1);
    EXPECT_EQ(mega.bits.LockBits, 0x3E);
    ConfigRig combo(ConfigRig::Shipped("ATmega88/V"));
    combo.bits.LockBits = 0xFF;
    combo.Open();
    combo.Click("CB205_MlbBox", 0);
    EXPECT_EQ(combo.bits.LockBits, 0xFC);
    combo.Click("CB205_MlbBox", 1);
    EXPECT_EQ(combo.bits.LockBits, 0xFE);
    combo.Click("CB205_Blb0box", 4);
    EXPECT_EQ(combo.bits.LockBits, 0xF2) << "the empty item writes 00";
    EXPECT_EQ(combo.Get("CB205_Blb0box").value, 0);
}

TEST(BitsStatePages, Page205BootFusesByType) {
    ConfigRig m88(ConfigRig::Shipped("ATmega88/V"));
    m88.bits.FuseExt = 0xFF;
    m88.Open();
    m88.Click("CB205_Bootrst", 1);
    EXPECT_EQ(m88.bits.FuseExt, 0xFE);
    m88.Click("CB205_Bodl0", 1);
    EXPECT_EQ(m88.bits.FuseHigh, 0x01);
    ConfigRig m328(ConfigRig::Shipped("ATmega328P"));
    m328.bits.FuseHigh = 0xFF;
    m328.Open();
    m328.Click("CB205_Bootrst", 1);
    EXPECT_EQ(m328.bits.FuseHigh, 0xFE);
    m328.Click("CB205_Bodl0", 1);
    EXPECT_EQ(m328.bits.FuseExt, 0x01);
    for (const char* part : {"ATmega48/V", "ATtiny861"}) {
        ConfigRig rig(ConfigRig::Shipped(part));
        rig.Open();
        EXPECT_EQ(rig.Get("CB205_Bootrst").caption, "SELFPRGEN") << part;
        for (const char* hidden :
             {"CB205_Bootsz0", "CB205_Bootsz1", "CB205_Blb0box", "CB205_Blb1box"}) {
            EXPECT_FALSE(rig.Get(hidden).visible) << part << " " << hidden;
        }
    }
}

TEST(BitsStatePages, Page204NamesTheBitsAsEachPartDoes) {
    for (const auto& [part, bit6, bit7, calibration] :
         {std::tuple{"ATmega8", "WDTON", "RSTDISBL", true},
          std::tuple{"ATmega16", "JTAGEN", "OCDEN", false},
          std::tuple{"ATmega32A", "JTAGEN", "OCDEN", false},
          std::tuple{"ATmega8515", "WDTON", "S8515C", true},
          std::tuple{"ATmega8535", "WDTON", "S8535C", true}}) {
        ConfigRig rig(ConfigRig::Shipped(part));
        rig.Open();
        EXPECT_EQ(rig.Get("CB204_Wdton").caption, bit6) << part;
        EXPECT_EQ(rig.Get("CB204_Rstdisbl").caption, bit7) << part;
        EXPECT_EQ(rig.Get("GB204A_CF").visible, calibration) << part;
        EXPECT_EQ(rig.Get("RG204A_Cal").visible, calibration) << part;
    }
}

TEST(BitsStatePages, Mega162M161cIsCheckedWhenProgrammed) {
    ConfigRig rig(ConfigRig::Shipped("ATmega162"));
    rig.bits.FuseExt = 0xFF;
    rig.Open();
    EXPECT_EQ(rig.Get("CB207_m161c").value, 0);
    rig.Click("CB207_m161c", 1);
    EXPECT_EQ(rig.bits.FuseExt, 0xEF);
}

TEST(BitsStatePages, Page212SetsBitsThreeAndTwoOnUnchecking) {
    ConfigRig rig(ConfigRig::Shipped("AT89S2051"));
    rig.bits.FuseLow = 0x00;
    rig.Open();
    rig.Click("CB212_SPIEN", 0);
    EXPECT_EQ(rig.bits.FuseLow, 0x1C);
    rig.Click("CB212_SPIEN", 1);
    EXPECT_EQ(rig.bits.FuseLow, 0x0C) << "checking keeps bits 3..2";
}

TEST(BitsStatePages, Page206OnTheLowPowerParts) {
    ConfigRig lp(ConfigRig::Shipped("AT89LP2052"));
    lp.Open();
    EXPECT_EQ(lp.Get("RG206_F2").items[1], "XTAL Osc Bypass Disable");
    EXPECT_EQ(lp.Get("RG206_F4").items[0], "System Clock Out Enable");
    EXPECT_FALSE(lp.Get("RG206_F1").enabled);
    EXPECT_FALSE(lp.Get("RG206_F3").enabled);
    lp.Click("RG206_F2", 1);
    EXPECT_EQ(lp.bits.FuseLow, 0xF2);
    EXPECT_EQ(lp.Label("Label13"), "F2");
    ConfigRig s(ConfigRig::Shipped("AT89S8253"));
    s.bits.FuseLow = 0xFF;
    s.Open();
    s.Click("RG206_F2", 0);
    EXPECT_EQ(s.bits.FuseLow, 0x0D);
}

DeviceRecord SecurityPart(std::uint8_t devId) {
    return DeviceBuilder('M', 0x1FFF, "SEC8051")
        .Algorithm(14)
        .Ids(0x1E, devId, 0x06)
        .ConfigType(micro::kConfigTypeSecurityRegister);
}

// Every opening starts from 0xFF; the label shows two digits after "0x".
TEST(BitsStatePages, Page208ResetsItsSecurityByteAtEveryOpening) {
    ConfigRig rig(SecurityPart(0xE0));
    rig.bits.SecurityRegister = 0x12;
    rig.Open();
    ASSERT_EQ(rig.model.Pages().size(), 1u);
    EXPECT_EQ(rig.model.Pages()[0].caption, "");
    EXPECT_EQ(rig.bits.SecurityRegister, 0xFF);
    EXPECT_EQ(rig.Get("P208Lock").value, 0);
    rig.Click("P208Lock", 1);
    EXPECT_EQ(rig.Label("Label5"), "0xFE");
    EXPECT_EQ(rig.Get("P208S01in").caption, "Encryption");
    EXPECT_EQ(rig.Get("P208Osc").caption, "Osc Full Gain");
    rig.Click("P208Osc", 0);
    EXPECT_EQ(rig.Get("P208Osc").caption, "Osc Half Gain");
    EXPECT_EQ(rig.Label("Label5"), "0x7E");
    rig.model.Open();
    EXPECT_EQ(rig.bits.SecurityRegister, 0xFF);
    ConfigRig other(SecurityPart(0x62));
    other.Open();
    EXPECT_TRUE(other.Get("P208S01in").visible);
    EXPECT_FALSE(other.Get("P208Osc").visible);
    ConfigRig plain(SecurityPart(0x52));
    plain.Open();
    EXPECT_FALSE(plain.Get("P208S01in").visible);
    EXPECT_TRUE(plain.Get("P208Movin").visible);
}

TEST(BitsStatePages, Page208StoresTheSeedsWhenTheDialogCloses) {
    ConfigRig rig(SecurityPart(0xE0));
    rig.Open();
    EXPECT_EQ(rig.bits.Seed0, 0x00);
    EXPECT_FALSE(rig.Get("Seed0Edit").visible);
    rig.model.Close();
    EXPECT_EQ(rig.bits.Seed0, 0xFF);
    EXPECT_EQ(rig.bits.Seed1, 0xFF);
    ConfigRig avr(ConfigRig::Shipped("ATmega8"));
    avr.Open();
    avr.model.Close();
    EXPECT_EQ(avr.bits.Seed0, 0x00) << "only Page208 has seeds";
}

TEST(BitsStatePages, Page130OpensFromBitZero) {
    ConfigRig rig(ConfigRig::Shipped("AT28C256"));
    rig.bits.SdpEnable = 0xFE;
    rig.Open();
    EXPECT_EQ(rig.Get("RG130").value, 0);
    rig.Click("RG130", 1);
    EXPECT_EQ(rig.bits.SdpEnable, 0x01);
}

TEST(BitsStatePages, Page201ShowsTheCalibrationByte) {
    ConfigRig rig(ConfigRig::Shipped("ATtiny12"));
    rig.bits.CalibByte = 0x5A;
    rig.Open();
    EXPECT_EQ(rig.Label("CalFactor"), "0x5A");
}

// "Program @" enables the CAL buttons and the address; a CAL button picks
// CalibTable's value (0: nothing fills the table) and is remembered; the
// address is typed in hexadecimal and shown in four digits.
TEST(BitsStatePages, CalibrationGroupStateMachine) {
    ConfigRig rig(ConfigRig::Shipped("ATmega8"));
    rig.bits.CalibByte = 0x77;
    rig.Open();
    EXPECT_FALSE(rig.Get("RG204A_Cal").enabled);
    EXPECT_FALSE(rig.Get("Edit204A").enabled);
    EXPECT_EQ(rig.Get("RG204A_Cal").value, -1);
    EXPECT_EQ(rig.Get("Edit204A").text, "0000");
    rig.Click("RG204A_Cal", 1);
    EXPECT_EQ(rig.bits.CalibIndex, 0) << "disabled: no click";
    rig.Click("CB204A_Prog", 1);
    EXPECT_TRUE(rig.bits.CalibProgram);
    EXPECT_TRUE(rig.Get("RG204A_Cal").enabled);
    EXPECT_TRUE(rig.Get("Edit204A").enabled);
    rig.Click("RG204A_Cal", 2);
    EXPECT_EQ(rig.bits.CalibIndex, 3);
    EXPECT_EQ(rig.bits.CalibByte, 0x00) << "CalibTable[2]";
    rig.bits.CalibTable = {0x11, 0x22, 0x33, 0x44};
    rig.Click("RG204A_Cal", 3);
    EXPECT_EQ(rig.bits.CalibByte, 0x44);
    const auto [page, index] = rig.Where("Edit204A");
    EXPECT_FALSE(rig.model.TypeText(page, index, "1f0"));
    EXPECT_EQ(rig.bits.CalibAddress, 0x1F0u);
    EXPECT_EQ(rig.Get("Edit204A").text, "1f0") << "as typed while typing";
    const auto box = rig.model.TypeText(page, index, "G");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "''$G'' is not a valid integer value");
    EXPECT_EQ(rig.bits.CalibAddress, 0x1F0u);
    rig.Click("CB204A_Prog", 0);
    EXPECT_FALSE(rig.Get("RG204A_Cal").enabled);
    EXPECT_EQ(rig.Get("Edit204A").text, "01F0");
    // Another device's page shows the same state.
    ConfigRig tiny(ConfigRig::Shipped("ATtiny26"));
    tiny.bits = rig.bits;
    tiny.Open();
    EXPECT_EQ(tiny.Get("RG203_Cal").value, 3);
    EXPECT_EQ(tiny.Get("Edit203").text, "01F0");
    EXPECT_EQ(tiny.Get("CB203_Prog").value, 0);
    ConfigRig m162(ConfigRig::Shipped("ATmega162"));
    m162.bits = rig.bits;
    m162.Open();
    EXPECT_EQ(m162.Get("CB207_edit").text, "01F0");
}

// The state is one record for every device: a fuse edited on one page
// shows on the others, and opening a page changes nothing by itself.
TEST(BitsStatePages, TheStateIsSharedAndOpeningLeavesItAlone) {
    ConfigBitsState shared;
    {
        ConfigRig mega(ConfigRig::Shipped("ATmega8"));
        mega.Open();
        mega.Click("CB204_Cksel0", 1);
        shared = mega.bits;
    }
    EXPECT_EQ(shared.FuseLow, 0x01);
    for (const char* part : {"AT89S8253", "ATtiny85", "AT89S2051", "25LC640", "W25X40", "AT28C256",
                             "ATtiny26", "ATmega162"}) {
        ConfigRig rig(ConfigRig::Shipped(part));
        rig.bits = shared;
        rig.Open();
        for (const config::StateField& field : config::StateFields()) {
            EXPECT_EQ(field.get(rig.bits), field.get(shared)) << part << " " << field.name;
        }
    }
}

TEST(BitsStatePages, StateFieldsByName) {
    ConfigBitsState state;
    std::vector<std::string> shown;
    for (const config::StateField& field : config::StateFields())
        shown.push_back(config::FormatStateField(field, state));
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "FuseLow=00", "FuseHigh=00", "FuseExt=00", "LockBits=00", "CalibByte=00",
                  "CalibTable=00000000", "CalibIndex=00", "CalibProgram=00", "CalibAddress=0000",
                  "SpiStatus=00", "SecurityRegister=00", "Seed0=00", "Seed1=00", "SdpEnable=00"}));
    config::FindStateField("CalibTable")->set(state, 0x11223344);
    EXPECT_EQ(state.CalibTable[0], 0x11);
    EXPECT_EQ(state.CalibTable[3], 0x44);
    config::FindStateField("CalibAddress")->set(state, 0x12345);
    EXPECT_EQ(config::FormatStateField(*config::FindStateField("CalibAddress"), state),
              "CalibAddress=12345");
    EXPECT_EQ(config::FindStateField("Nope"), nullptr);
}

// One assignment of every control on a shipped part: `before` is put into
// the field, `after` read back.
struct Assignment {
    const char* part;
    const char* control;
    int choice;
    const char* field;
    std::uint32_t before;
    std::uint32_t after;
};

std::ostream& operator<<(std::ostream& os, const Assignment& a) {
    return os << a.part << " " << a.control << "=" << a.choice;
}

class EveryStateControl : public ::testing::TestWithParam<Assignment> {};

TEST_P(EveryStateControl, ChangesExactlyItsBits) {
    const Assignment& a = GetParam();
    ConfigRig rig(ConfigRig::Shipped(a.part));
    rig.Put(a.field, a.before);
    rig.bits.CalibProgram = true;  // the calibration buttons are enabled
    rig.Open();
    const auto& control = rig.Get(a.control);
    ASSERT_TRUE(control.visible && control.enabled);
    rig.Click(a.control, a.choice);
    EXPECT_EQ(fmt::format("{:02X}", rig.Read(a.field)), fmt::format("{:02X}", a.after));
    EXPECT_EQ(rig.Get(a.control).value, a.choice) << "the control shows what it wrote";
}

const Assignment kAssignments[] = {
    {"25LC640", "RG100", 2, "SpiStatus", 0xFF, 0x88},
    {"25LC640", "CB100_Wpen", 1, "SpiStatus", 0x00, 0x80},
    {"W25X40", "RG102_BP", 3, "SpiStatus", 0x00, 0x0C},
    {"W25X40", "RG102_TB", 1, "SpiStatus", 0x00, 0x20},
    {"W25X40", "CB102_SRP", 1, "SpiStatus", 0x00, 0x80},
    {"AT28C256", "RG130", 1, "SdpEnable", 0x00, 0x01},
    {"ATtiny11", "CB200_Cksel0", 1, "FuseLow", 0xFF, 0x1E},
    {"ATtiny11", "CB200_Cksel1", 1, "FuseLow", 0xFF, 0x1D},
    {"ATtiny11", "CB200_Cksel2", 1, "FuseLow", 0xFF, 0x1B},
    {"ATtiny11", "CB200_Rstdisbl", 1, "FuseLow", 0xFF, 0x17},
    {"ATtiny11", "CB200_Fstrt", 1, "FuseLow", 0xFF, 0x0F},
    {"ATtiny11", "RG200", 1, "LockBits", 0xFF, 0x04},
    {"ATtiny12", "CB201_Cksel0", 1, "FuseLow", 0xFF, 0xFE},
    {"ATtiny12", "CB201_Cksel1", 1, "FuseLow", 0xFF, 0xFD},
    {"ATtiny12", "CB201_Cksel2", 1, "FuseLow", 0xFF, 0xFB},
    {"ATtiny12", "CB201_Cksel3", 1, "FuseLow", 0xFF, 0xF7},
    {"ATtiny12", "CB201_Rstdisbl", 1, "FuseLow", 0xFF, 0xEF},
    {"ATtiny12", "CB201_Spien", 1, "FuseLow", 0xFF, 0xDF},
    {"ATtiny12", "CB201_Boden", 1, "FuseLow", 0xFF, 0xBF},
    {"ATtiny12", "CB201_Bodlevel", 1, "FuseLow", 0xFF, 0x7F},
    {"ATtiny12", "RG201", 2, "LockBits", 0xFF, 0x06},
    {"AT90S2313", "CB202_Fstrt", 1, "FuseLow", 0xFF, 0xFE},
    {"AT90S2313", "CB202_Spien", 1, "FuseLow", 0xFF, 0xDF},
    {"AT90S8515", "CB202_Fstrt", 1, "FuseLow", 0xFF, 0xFB},
    {"AT90S8515", "CB202_Spien", 1, "FuseLow", 0xFF, 0xFD},
    {"AT90S2313", "RG202", 0, "LockBits", 0xFF, 0x00},
    {"ATtiny26", "RG203_CKSEL", 3, "FuseLow", 0xFF, 0xF4},
    {"ATtiny26", "RG203_SUT", 1, "FuseLow", 0xFF, 0xDF},
    {"ATtiny26", "CB203_Ckopt", 0, "FuseLow", 0xFF, 0xBF},
    {"ATtiny26", "CB203_Pllck", 0, "FuseLow", 0xFF, 0x7F},
    {"ATtiny26", "CB203_Boden", 1, "FuseHigh", 0xFF, 0xFE},
    {"ATtiny26", "CB203_Bodlevel", 0, "FuseHigh", 0xFF, 0xFD},
    {"ATtiny26", "CB203_Eesave", 1, "FuseHigh", 0xFF, 0xFB},
    {"ATtiny26", "CB203_Spien", 1, "FuseHigh", 0xFF, 0xF7},
    {"ATtiny26", "CB203_Rstdisbl", 1, "FuseHigh", 0xFF, 0xEF},
    {"ATtiny26", "RG203", 1, "LockBits", 0xFF, 0x02},
    {"ATtiny26", "RG203_Cal", 0, "CalibIndex", 0x00, 0x01},
    {"ATtiny26", "CB203_Prog", 0, "CalibProgram", 0x01, 0x00},
    {"ATmega8", "CB204_Cksel0", 0, "FuseLow", 0xFF, 0xFE},
    {"ATmega8", "CB204_Cksel1", 0, "FuseLow", 0xFF, 0xFD},
    {"ATmega8", "CB204_Cksel2", 0, "FuseLow", 0xFF, 0xFB},
    {"ATmega8", "CB204_Cksel3", 0, "FuseLow", 0xFF, 0xF7},
    {"ATmega8", "CB204_Sut0", 0, "FuseLow", 0xFF, 0xEF},
    {"ATmega8", "CB204_Sut1", 0, "FuseLow", 0xFF, 0xDF},
    {"ATmega8", "CB204_Boden", 1, "FuseLow", 0xFF, 0xBF},
    {"ATmega8", "CB204_Bodlevel", 0, "FuseLow", 0xFF, 0x7F},
    {"ATmega8", "CB204_Bootrst", 1, "FuseHigh", 0xFF, 0xFE},
    {"ATmega8", "CB204_Bootsz0", 1, "FuseHigh", 0xFF, 0xFD},
    {"ATmega8", "CB204_Bootsz1", 1, "FuseHigh", 0xFF, 0xFB},
    {"ATmega8", "CB204_Eesave", 1, "FuseHigh", 0xFF, 0xF7},
    {"ATmega8", "CB204_Ckopt", 0, "FuseHigh", 0xFF, 0xEF},
    {"ATmega8", "CB204_Spien", 1, "FuseHigh", 0xFF, 0xDF},
    {"ATmega8", "CB204_Wdton", 1, "FuseHigh", 0xFF, 0xBF},
    {"ATmega8", "CB204_Rstdisbl", 1, "FuseHigh", 0xFF, 0x7F},
    {"ATmega8", "RG204A_LB", 1, "LockBits", 0xFF, 0x3E},
    {"ATmega8", "RG204A_Blb0", 1, "LockBits", 0xFF, 0x37},
    {"ATmega8", "RG204A_Blb1", 2, "LockBits", 0xFF, 0x2F},
    {"ATmega8", "RG204A_Cal", 3, "CalibIndex", 0x00, 0x04},
    {"ATmega8", "CB204A_Prog", 0, "CalibProgram", 0x01, 0x00},
    {"ATmega88/V", "CB205_Cksel0", 0, "FuseLow", 0xFF, 0xFE},
    {"ATmega88/V", "CB205_Cksel1", 0, "FuseLow", 0xFF, 0xFD},
    {"ATmega88/V", "CB205_Cksel2", 0, "FuseLow", 0xFF, 0xFB},
    {"ATmega88/V", "CB205_Cksel3", 0, "FuseLow", 0xFF, 0xF7},
    {"ATmega88/V", "CB205_Sut0", 0, "FuseLow", 0xFF, 0xEF},
    {"ATmega88/V", "CB205_Sut1", 0, "FuseLow", 0xFF, 0xDF},
    {"ATmega88/V", "CB205_Ckout", 0, "FuseLow", 0xFF, 0xBF},
    {"ATmega88/V", "CB205_Ckdiv8", 0, "FuseLow", 0xFF, 0x7F},
    {"ATmega88/V", "CB205_Bodl0", 0, "FuseHigh", 0xFF, 0xFE},
    {"ATmega88/V", "CB205_Bodl1", 0, "FuseHigh", 0xFF, 0xFD},
    {"ATmega88/V", "CB205_Bodl2", 0, "FuseHigh", 0xFF, 0xFB},
    {"ATmega88/V", "CB205_Eesave", 1, "FuseHigh", 0xFF, 0xF7},
    {"ATmega88/V", "CB205_Wdton", 1, "FuseHigh", 0xFF, 0xEF},
    {"ATmega88/V", "CB205_Spien", 1, "FuseHigh", 0xFF, 0xDF},
    {"ATmega88/V", "CB205_Dwen", 1, "FuseHigh", 0xFF, 0xBF},
    {"ATmega88/V", "CB205_Rstdis", 1, "FuseHigh", 0xFF, 0x7F},
    {"ATmega88/V", "CB205_Bootrst", 1, "FuseExt", 0xFF, 0xFE},
    {"ATmega88/V", "CB205_Bootsz0", 1, "FuseExt", 0xFF, 0xFD},
    {"ATmega88/V", "CB205_Bootsz1", 1, "FuseExt", 0xFF, 0xFB},
    {"ATmega328P", "CB205_Bootrst", 1, "FuseHigh", 0xFF, 0xFE},
    {"ATmega328P", "CB205_Bodl2", 0, "FuseExt", 0xFF, 0xFB},
    {"ATmega88/V", "CB205_MlbBox", 0, "LockBits", 0xFF, 0xFC},
    {"ATmega88/V", "CB205_Blb0box", 0, "LockBits", 0xFF, 0xF3},
    {"ATmega88/V", "CB205_Blb1box", 1, "LockBits", 0xFF, 0xDF},
    {"AT89S8253", "RG206_F2", 1, "FuseLow", 0x00, 0x02},
    {"AT89S8253", "RG206_F4", 1, "FuseLow", 0xFF, 0x0F},
    {"AT89LP2052", "RG206_F2", 1, "FuseLow", 0x00, 0xF2},
    {"AT89LP2052", "RG206_F4", 0, "FuseLow", 0x00, 0xF0},
    {"ATmega162", "CB207_Sel0", 0, "FuseLow", 0xFF, 0xFE},
    {"ATmega162", "CB207_Sel1", 0, "FuseLow", 0xFF, 0xFD},
    {"ATmega162", "CB207_Sel2", 0, "FuseLow", 0xFF, 0xFB},
    {"ATmega162", "CB207_Sel3", 0, "FuseLow", 0xFF, 0xF7},
    {"ATmega162", "CB207_sut0", 0, "FuseLow", 0xFF, 0xEF},
    {"ATmega162", "CB207_sut1", 0, "FuseLow", 0xFF, 0xDF},
    {"ATmega162", "CB207_ckout", 0, "FuseLow", 0xFF, 0xBF},
    {"ATmega162", "CB207_Div8", 0, "FuseLow", 0xFF, 0x7F},
    {"ATmega162", "CB207_btrst", 1, "FuseHigh", 0xFF, 0xFE},
    {"ATmega162", "CB207_btsz0", 1, "FuseHigh", 0xFF, 0xFD},
    {"ATmega162", "CB207_btsz1", 1, "FuseHigh", 0xFF, 0xFB},
    {"ATmega162", "CB207_eesave", 1, "FuseHigh", 0xFF, 0xF7},
    {"ATmega162", "CB207_wdton", 1, "FuseHigh", 0xFF, 0xEF},
    {"ATmega162", "CB207_spien", 1, "FuseHigh", 0xFF, 0xDF},
    {"ATmega162", "CB207_jtagen", 1, "FuseHigh", 0xFF, 0xBF},
    {"ATmega162", "CB207_ocden", 1, "FuseHigh", 0xFF, 0x7F},
    {"ATmega162", "CB207_bdl0", 0, "FuseExt", 0xFF, 0xFD},
    {"ATmega162", "CB207_bdl1", 0, "FuseExt", 0xFF, 0xFB},
    {"ATmega162", "CB207_bdl2", 0, "FuseExt", 0xFF, 0xF7},
    {"ATmega162", "CB207_m161c", 1, "FuseExt", 0xFF, 0xEF},
    {"ATmega162", "CB207_mlb", 1, "LockBits", 0xFF, 0xFE},
    {"ATmega162", "CB207_blb0", 2, "LockBits", 0xFF, 0xFB},
    {"ATmega162", "CB207_blb1", 3, "LockBits", 0x00, 0x30},
    {"ATmega162", "RG207_Cal", 1, "CalibIndex", 0x00, 0x02},
    {"ATmega162", "CB207_Prog", 0, "CalibProgram", 0x01, 0x00},
    {"ATtiny85", "CKSEL_CB", 2, "FuseLow", 0xFF, 0xF2},
    {"ATtiny85", "RG209_SUT", 2, "FuseLow", 0xFF, 0xEF},
    {"ATtiny85", "CB209_CKOUT", 1, "FuseLow", 0xFF, 0xBF},
    {"ATtiny85", "CB209_CKDIV8", 1, "FuseLow", 0xFF, 0x7F},
    {"ATtiny85", "CB209_RSTDISBL", 1, "FuseHigh", 0xFF, 0x7F},
    {"ATtiny85", "RG209_BODLVL", 1, "FuseHigh", 0xFF, 0xFD},
    {"ATtiny85", "CB209_EESAVE", 1, "FuseHigh", 0xFF, 0xF7},
    {"ATtiny85", "CB209_WDTON", 1, "FuseHigh", 0xFF, 0xEF},
    {"ATtiny85", "CB209_SPIEN", 1, "FuseHigh", 0xFF, 0xDF},
    {"ATtiny85", "CB209_DWEN", 1, "FuseHigh", 0xFF, 0xBF},
    {"ATtiny85", "CB209_SELFPRG", 1, "FuseExt", 0xFF, 0xFE},
    {"ATtiny85", "RG209_LB", 1, "LockBits", 0xFF, 0x02},
    {"ATtiny2313", "CKSEL_CB", 3, "FuseLow", 0xFF, 0xF6},
    {"ATtiny2313", "CB209_RSTDISBL", 1, "FuseHigh", 0xFF, 0xFE},
    {"ATtiny2313", "RG209_BODLVL", 1, "FuseHigh", 0xFF, 0xFB},
    {"ATtiny2313", "CB209_EESAVE", 1, "FuseHigh", 0xFF, 0xBF},
    {"ATtiny2313", "CB209_DWEN", 1, "FuseHigh", 0xFF, 0x7F},
    {"AT89S2051", "CB212_LB1", 1, "FuseLow", 0xFF, 0xFE},
    {"AT89S2051", "CB212_LB2", 1, "FuseLow", 0xFF, 0xFD},
    {"AT89S2051", "CB212_SPIEN", 0, "FuseLow", 0x00, 0x1C},
    {"AT89S2051", "CB212_Clkx2", 1, "FuseLow", 0xFF, 0xDF},
    {"AT89S2051", "CB212_URPE", 1, "FuseLow", 0xFF, 0xBF},
    {"AT89S2051", "CB212_OBE", 1, "FuseLow", 0xFF, 0x7F},
};

std::string AssignmentName(const ::testing::TestParamInfo<Assignment>& info) {
    std::string part = info.param.part;
    for (char& c : part) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return fmt::format("{}_{}_{}", part, info.param.control, info.param.choice);
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryStateControl, ::testing::ValuesIn(kAssignments),
                         AssignmentName);

// Every control a shipped part can click on these pages has a row above
// (the hidden seed fields and the address fields, typed into, have tests
// of their own).
TEST(BitsStatePages, EveryControlOfEveryShownPageIsAssignedAbove) {
    std::set<std::string> assigned;
    for (const Assignment& a : kAssignments) assigned.insert(a.control);
    std::set<std::string> missing;
    std::set<std::string> types;
    for (const char* file : {"KARVO_m.usb", "KARVO_e.usb"}) {
        for (const DeviceRecord& record : ShippedRecords(file)) {
            if (record.Family() == Family::Pic) continue;
            ConfigRig rig(record);
            rig.bits.CalibProgram = true;
            rig.Open();
            if (!rig.model.Pages().empty()) types.insert(std::to_string(record.ConfigType()));
            for (const auto& page : rig.model.Pages()) {
                for (const auto& c : page.controls) {
                    if (c.Kind() == config::ControlKind::Group ||
                        c.Kind() == config::ControlKind::Edit)
                        continue;
                    if (c.visible && c.enabled && !assigned.count(std::string(c.Name()))) {
                        missing.insert(std::string(c.Name()));
                    }
                }
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << fmt::format("{}", fmt::join(missing, " "));
    // Every ConfigType of these pages that has a catalogue chip (208 has none).
    EXPECT_EQ(fmt::format("{}", fmt::join(types, " ")),
              "100 101 102 103 104 130 200 201 202 203 204 205 206 207 209 210 211 212");
}

// How the lock groups open from LockBits (kinds A, B and C).
struct Opening {
    const char* part;
    std::uint8_t lockBits;
    const char* control;
    int value;
};

class LockOpenings : public ::testing::TestWithParam<Opening> {};

TEST_P(LockOpenings, ShowTheStoredChoice) {
    const Opening& o = GetParam();
    ConfigRig rig(ConfigRig::Shipped(o.part));
    rig.bits.LockBits = o.lockBits;
    rig.Open();
    EXPECT_EQ(rig.Get(o.control).value, o.value);
}

const Opening kOpenings[] = {
    {"ATtiny11", 0x00, "RG200", 0},          {"ATtiny11", 0x01, "RG200", 0},
    {"ATtiny11", 0x05, "RG200", 1},          {"ATtiny11", 0x07, "RG200", 2},
    {"ATtiny11", 0x03, "RG200", -1},         {"ATtiny12", 0x01, "RG201", -1},
    {"ATtiny12", 0x06, "RG201", 2},          {"AT90S2313", 0x04, "RG202", 1},
    {"ATtiny26", 0x02, "RG203", 1},          {"ATtiny26", 0xF3, "RG203", -1},
    {"ATtiny85", 0xF3, "RG209_LB", 2},       {"ATtiny85", 0xF1, "RG209_LB", -1},
    {"ATtiny85", 0xFC, "RG209_LB", 0},       {"ATmega8", 0xFD, "RG204A_LB", -1},
    {"ATmega8", 0xFE, "RG204A_LB", 1},       {"ATmega8", 0xF7, "RG204A_Blb0", 1},
    {"ATmega88/V", 0xFD, "CB205_MlbBox", 0}, {"ATmega88/V", 0xDF, "CB205_Blb1box", 1},
    {"ATmega162", 0xFF, "CB207_mlb", 2},     {"ATmega162", 0xF3, "CB207_blb0", 0},
};

INSTANTIATE_TEST_SUITE_P(Pages, LockOpenings, ::testing::ValuesIn(kOpenings));

}  // namespace
}  // namespace karvo::test
