// The AVR pages of TfrmConfig: fuse, lock and calibration values in
// ConfigBitsState. A box captioned with a function alone is checked when the
// fuse is programmed (0), one captioned "NAME = 1" when it reads 1. The rows
// follow the chips where the design did not (avr-libc's headers check them):
// WDTON, M161C and the ATmega16/32A, ATmega8515 names, the ATtiny2313's
// brown-out bits, the AT90S4414 ... 8535 fuse bits, and the CKSEL list
// writes the code it shows. Columns: 0 and 1 fuses, 2 lock and calibration.
#include "catalogue/ChipFacts.h"
#include "config/pages/PageTables.h"

namespace karvo::config {
namespace {

using namespace pages;

// Lock groups of kind A (ATtiny11, ATtiny12, AT90S: the whole byte 00, 04
// or 06), B (ATtiny26, Page209: 00, 02 or 03) and C (bits 1..0 of the
// ATmega lock byte: 00, 10 or 11).
constexpr std::string_view kLockItems = "LB1 + LB2 on|LB1 on|Lock Bits off";
constexpr std::string_view kLockCombo = "LB1 + LB2 on|LB1 on|Lock bits off";
constexpr const char* kLockA = "LockBits 7..0: 00000000 00000100 00000110";
constexpr const char* kLockB = "LockBits 7..0: 00000000 00000010 00000011";
constexpr std::string_view kBoot0Items = "BLB01 + BLB02 on|BLB02 on|BLB01 on|Lock Bits off";
constexpr std::string_view kBoot1Items = "BLB11 + BLB12 on|BLB12 on|BLB11 on|Lock Bits off";
// The combo boxes carry a fifth, empty item, which writes 00.
constexpr std::string_view kBoot0Combo = "BLB01 + BLB02 on|BLB02 on|BLB01 on|Lock bits off|";
constexpr std::string_view kBoot1Combo = "BLB11 + BLB12 on|BLB12 on|BLB11 on|Lock bits off|";

constexpr std::string_view kCalItems = "CAL0|CAL1|CAL2|CAL3";

// ---- ConfigType 200: ATtiny11 -------------------------------------------

constexpr ControlRow kPage200[] = {
    Group("GB200", " Fuse Bits  "),
    Check("CB200_Cksel0", "CKSEL0 ", "FuseLow 0: 1 0; FuseLow 7..5: 000").In("GB200"),
    Check("CB200_Cksel1", "CKSEL1", "FuseLow 1: 1 0; FuseLow 7..5: 000").In("GB200"),
    Check("CB200_Cksel2", "CKSEL2", "FuseLow 2: 1 0; FuseLow 7..5: 000").In("GB200"),
    Check("CB200_Rstdisbl", "RSTDISBL", "FuseLow 3: 1 0; FuseLow 7..5: 000").In("GB200"),
    Check("CB200_Fstrt", "FSTRT", "FuseLow 4: 1 0; FuseLow 7..5: 000").In("GB200"),
    Radio("RG200", " Lock Bits ", kLockItems, kLockA)
        .Opening("LockBits 7..0 -> 00=0 01=0 04=1 05=1 06=2 07=2")
        .Column(2),
};

// ---- ConfigType 201: ATtiny12 -------------------------------------------

constexpr ControlRow kPage201[] = {
    Group("GB201", " Fuse Bits "),
    Check("CB201_Cksel0", "CKSEL0 ", "FuseLow 0: 1 0").In("GB201"),
    Check("CB201_Cksel1", "CKSEL1", "FuseLow 1: 1 0").In("GB201"),
    Check("CB201_Cksel2", "CKSEL2", "FuseLow 2: 1 0").In("GB201"),
    Check("CB201_Cksel3", "CKSEL3", "FuseLow 3: 1 0").In("GB201"),
    Check("CB201_Rstdisbl", "RSTDISBL", "FuseLow 4: 1 0").In("GB201"),
    Check("CB201_Spien", "SPIEN", "FuseLow 5: 1 0").In("GB201"),
    Check("CB201_Boden", "BODEN", "FuseLow 6: 1 0").In("GB201"),
    Check("CB201_Bodlevel", "BODLEVEL", "FuseLow 7: 1 0").In("GB201"),
    Radio("RG201", " Lock Bits ", kLockItems, kLockA)
        .Opening("LockBits 7..0 -> 00=0 04=1 06=2")
        .Column(2),
};
constexpr LabelRow kPage201Labels[] = {
    {"CalFactor", kCalibByte, "0x", "Osc Calibration Factor"},
};

// ---- ConfigType 202: AT90S1200 ... AT90S8535 ------------------------------

// RCEN instead of FSTRT: AT90S1200 and AT90S2343.
constexpr When k90S1200 = All({DevIdIs(0x90), DevId2Is(0x01)});
constexpr When k90S2343 = All({DevIdIs(0x91), DevId2Is(0x03)});
// The 4414, 4434, 8515 and 8535 keep SPIEN in bit 1 and FSTRT in bit 2.
constexpr When k90S8515 = Any({DevIdIs(0x92), DevIdIs(0x93)});
constexpr ControlRow kPage202[] = {
    Group("GB202", " Fuse Bits "),
    Check("CB202_Fstrt", "FSTRT", "FuseLow 0: 1 0").In("GB202"),
    Check("CB202_Spien", "SPIEN", "FuseLow 5: 1 0").In("GB202"),
    Radio("RG202", " Lock Bits ", kLockItems, kLockA)
        .Opening("LockBits 7..0 -> 00=0 04=1 06=2")
        .Column(2),
};
constexpr VariantRow kPage202Variants[] = {
    Vary("CB202_Fstrt", Any({Nested(k90S1200), Nested(k90S2343)})).Caption("RCEN"),
    Vary("CB202_Fstrt", k90S8515).Bits("FuseLow 2: 1 0"),
    Vary("CB202_Spien", k90S8515).Bits("FuseLow 1: 1 0"),
};

// The calibration group of Page203, Page204A and Page207: "CAL0" ...
// "CAL3" (the design's RadioButtons, here one untitled group) pick CalibTable's
// value, "Program @" enables them and the address, which is typed in
// hexadecimal and shown in four digits or more.
constexpr const char* kCalibWrites = "CalibIndex 7..0 = #+1";
constexpr const char* kCalibProgram = "CalibProgram 0 = #";
constexpr const char* kCalibAddress = "CalibAddress 31..0 = #";
constexpr const char* kCalibAddressOpens = "CalibAddress 31..0";

// ---- ConfigType 203: ATtiny26 -------------------------------------------

constexpr ControlRow kPage203[] = {
    Radio("RG203_CKSEL", "CKSEL3..0", "0001|0010|0011|0100", "FuseLow 3..0 = #+1"),
    Radio("RG203_SUT", "SUT1..0", "00|01|10", "FuseLow 5..4 = #"),
    Check("CB203_Ckopt", "CKOPT = 1", "FuseLow 6 = #").Column(1),
    Check("CB203_Pllck", "PLLCK = 1", "FuseLow 7 = #").Column(1),
    Check("CB203_Boden", "BOD Enabled", "FuseHigh 0: 1 0").Column(1),
    Check("CB203_Bodlevel", "BODLEVEL = 2.7V", "FuseHigh 1 = #").Column(1),
    Check("CB203_Eesave", "EESAVE", "FuseHigh 2: 1 0").Column(1),
    Check("CB203_Spien", "SPI Enabled", "FuseHigh 3: 1 0").Column(1),
    Check("CB203_Rstdisbl", "RSTDISBL", "FuseHigh 4: 1 0").Column(1),
    Radio("RG203", " Lock Bits ", kLockItems, kLockB)
        .Opening("LockBits 7..0 -> 00=0 02=1 03=2")
        .Column(2),
    Group("GB203_C", " Calibration ").Column(2),
    Radio("RG203_Cal", "", kCalItems, kCalibWrites)
        .WithHook(RowHook::PicksCalibration)
        .Enabled(ControlChecked("CB203_Prog"))
        .In("GB203_C"),
    Check("CB203_Prog", "Program @", kCalibProgram).In("GB203_C"),
    Edit("Edit203", "0", kCalibAddress)
        .Opening(kCalibAddressOpens)
        .Enabled(ControlChecked("CB203_Prog"))
        .In("GB203_C"),
};
constexpr LabelRow kPage203Labels[] = {
    {"Edit1", kFuseLow, "0x", "FuseLow"},
    {"Edit2", kFuseHigh, "0x", "FuseHigh"},
};

// ---- ConfigType 204: ATmega8, ATmega16, ATmega32A, ATmega8515, ATmega8535 -

// The JTAG parts keep JTAGEN and OCDEN where the others keep WDTON and
// RSTDISBL (the ATmega32A as the ATmega16), and have no calibration group.
constexpr When kMega16 = All({DevIdIs(0x94), DevId2Is(0x03)});
constexpr When kMega16Other = All({DevIdIs(0x94), DevId2Is(0x06)});
constexpr When kMega32A = All({DevIdIs(0x95), DevId2Is(0x02)});
constexpr When kJtagParts = Any({Nested(kMega16), Nested(kMega16Other), Nested(kMega32A)});
constexpr ControlRow kPage204[] = {
    Group("GB204", " Fuse Bits (low) "),
    Check("CB204_Cksel0", "CKSEL0 = 1", "FuseLow 0 = #").In("GB204"),
    Check("CB204_Cksel1", "CKSEL1 = 1", "FuseLow 1 = #").In("GB204"),
    Check("CB204_Cksel2", "CKSEL2 = 1", "FuseLow 2 = #").In("GB204"),
    Check("CB204_Cksel3", "CKSEL3 = 1", "FuseLow 3 = #").In("GB204"),
    Check("CB204_Sut0", "SUT0 = 1", "FuseLow 4 = #").In("GB204"),
    Check("CB204_Sut1", "SUT1 = 1", "FuseLow 5 = #").In("GB204"),
    Check("CB204_Boden", "BODEN", "FuseLow 6: 1 0").In("GB204"),
    Check("CB204_Bodlevel", "BODLEVEL = 1", "FuseLow 7 = #").In("GB204"),
    Group("GB204_High", " Fuse Bits (high) ").Column(1),
    Check("CB204_Bootrst", "BOOTRST", "FuseHigh 0: 1 0").In("GB204_High"),
    Check("CB204_Bootsz0", "BOOTSZ0", "FuseHigh 1: 1 0").In("GB204_High"),
    Check("CB204_Bootsz1", "BOOTSZ1", "FuseHigh 2: 1 0").In("GB204_High"),
    Check("CB204_Eesave", "EESAVE", "FuseHigh 3: 1 0").In("GB204_High"),
    Check("CB204_Ckopt", "CKOPT = 1", "FuseHigh 4 = #").In("GB204_High"),
    Check("CB204_Spien", "SPIEN", "FuseHigh 5: 1 0").In("GB204_High"),
    Check("CB204_Wdton", "WDTON", "FuseHigh 6: 1 0").In("GB204_High"),
    Check("CB204_Rstdisbl", "RSTDISBL", "FuseHigh 7: 1 0").In("GB204_High"),
};
constexpr VariantRow kPage204Variants[] = {
    Vary("CB204_Bodlevel", Checked()).Caption("BODLEVEL = 2.6V"),
    Vary("CB204_Bodlevel", Always()).Caption("BODLEVEL = 4.0V"),
    Vary("CB204_Wdton", kJtagParts).Caption("JTAGEN"),
    Vary("CB204_Rstdisbl", kJtagParts).Caption("OCDEN"),
    Vary("CB204_Rstdisbl", DevNameIs("ATmega8535")).Caption("S8535C"),
    Vary("CB204_Rstdisbl", DevNameIs("ATmega8515")).Caption("S8515C"),
};
constexpr LabelRow kPage204Labels[] = {
    {"Label13", kFuseLow, "", "FuseLow"},
    {"Label14", kFuseHigh, "", "FuseHigh"},
};
constexpr ControlRow kPage204A[] = {
    Radio("RG204A_LB", " Memory  Lock Bits ", kLockItems,
          "LockBits 1..0: 00 10 11; LockBits 7..6: 00")
        .Opening("LockBits 1..0 -> 0 - 1 2"),
    Radio("RG204A_Blb0", " Boot Lock Bits 0 ", kBoot0Items, "LockBits 3..2 = #; LockBits 7..6: 00"),
    Radio("RG204A_Blb1", " Boot Lock Bits 1 ", kBoot1Items, "LockBits 5..4 = #; LockBits 7..6: 00")
        .Column(1),
    Group("GB204A_CF", " Calibration ").Visible(Not(Nested(kJtagParts))).Column(1),
    Radio("RG204A_Cal", "", kCalItems, kCalibWrites)
        .WithHook(RowHook::PicksCalibration)
        .Enabled(ControlChecked("CB204A_Prog"))
        .In("GB204A_CF"),
    Check("CB204A_Prog", "Program @", kCalibProgram).In("GB204A_CF"),
    Edit("Edit204A", "0", kCalibAddress)
        .Opening(kCalibAddressOpens)
        .Enabled(ControlChecked("CB204A_Prog"))
        .In("GB204A_CF"),
};

// ---- ConfigType 205, 210: ATmega48 ... ATmega328, ATtiny861 --------------

// No boot section: SELFPRGEN where the others keep BOOTRST.
constexpr When kNoBootNames = Any({DevNameIs("ATmega48/V"), DevNameIs("ATtiny861")});
constexpr When kNoBootSection = All({Not(ConfigTypeIs(kMega328Fuses)), Nested(kNoBootNames)});
constexpr ControlRow kPage205[] = {
    Group("GB205", " Fuse Bits (low) "),
    Check("CB205_Cksel0", "CKSEL0 = 1", "FuseLow 0 = #").In("GB205"),
    Check("CB205_Cksel1", "CKSEL1 = 1", "FuseLow 1 = #").In("GB205"),
    Check("CB205_Cksel2", "CKSEL2 = 1", "FuseLow 2 = #").In("GB205"),
    Check("CB205_Cksel3", "CKSEL3 = 1", "FuseLow 3 = #").In("GB205"),
    Check("CB205_Sut0", "SUT0 = 1", "FuseLow 4 = #").In("GB205"),
    Check("CB205_Sut1", "SUT1 = 1", "FuseLow 5 = #").In("GB205"),
    Check("CB205_Ckout", "CKOUT = 1", "FuseLow 6 = #").In("GB205"),
    Check("CB205_Ckdiv8", "CKDIV8 = 1", "FuseLow 7 = #").In("GB205"),
    Group("GB205_High", " Fuse Bits (high, extended) ").Column(1),
    Check("CB205_Bodl0", "BODLEVEL0 = 1", "FuseHigh 0 = #").In("GB205_High"),
    Check("CB205_Bodl1", "BODLEVEL1 = 1", "FuseHigh 1 = #").In("GB205_High"),
    Check("CB205_Bodl2", "BODLEVEL2 = 1", "FuseHigh 2 = #").In("GB205_High"),
    Check("CB205_Eesave", "EESAVE", "FuseHigh 3: 1 0").In("GB205_High"),
    Check("CB205_Wdton", "WDTON", "FuseHigh 4: 1 0").In("GB205_High"),
    Check("CB205_Spien", "SPIEN", "FuseHigh 5: 1 0").In("GB205_High"),
    Check("CB205_Dwen", "DWEN", "FuseHigh 6: 1 0").In("GB205_High"),
    Check("CB205_Rstdis", "RSTDISBL", "FuseHigh 7: 1 0").In("GB205_High"),
    Check("CB205_Bootrst", "BOOTRST", "FuseExt 0: 1 0").In("GB205_High"),
    Check("CB205_Bootsz0", "BOOTSZ0", "FuseExt 1: 1 0")
        .Visible(Not(Nested(kNoBootSection)))
        .In("GB205_High"),
    Check("CB205_Bootsz1", "BOOTSZ1", "FuseExt 2: 1 0")
        .Visible(Not(Nested(kNoBootSection)))
        .In("GB205_High"),
    Combo("CB205_MlbBox", "Memory Lock Bits", kLockCombo, "LockBits 1..0: 00 10 11")
        .Opening("LockBits 1..0 -> 0 0 1 2")
        .Column(2),
    Combo("CB205_Blb0box", "Boot Lock Bits 0", kBoot0Combo, "LockBits 3..2: 00 01 10 11 00")
        .Opening("LockBits 3..2")
        .Visible(Not(Nested(kNoBootSection)))
        .Column(2),
    Combo("CB205_Blb1box", "Boot Lock Bits 1", kBoot1Combo, "LockBits 5..4: 00 01 10 11 00")
        .Opening("LockBits 5..4")
        .Visible(Not(Nested(kNoBootSection)))
        .Column(2),
};
constexpr When kMega328 = ConfigTypeIs(kMega328Fuses);
constexpr VariantRow kPage205Variants[] = {
    Vary("CB205_Bodl0", kMega328).Bits("FuseExt 0 = #"),
    Vary("CB205_Bodl1", kMega328).Bits("FuseExt 1 = #"),
    Vary("CB205_Bodl2", kMega328).Bits("FuseExt 2 = #"),
    Vary("CB205_Bootrst", kMega328).Bits("FuseHigh 0: 1 0"),
    Vary("CB205_Bootsz0", kMega328).Bits("FuseHigh 1: 1 0"),
    Vary("CB205_Bootsz1", kMega328).Bits("FuseHigh 2: 1 0"),
    Vary("CB205_Bootrst", kNoBootSection).Caption("SELFPRGEN"),
};
constexpr LabelRow kFuseLabels3[] = {
    {"Label13", kFuseLow, "", "FuseLow"},
    {"Label14", kFuseHigh, "", "FuseHigh"},
    {"Label15", kFuseExt, "", "FuseExt"},
};

// ---- ConfigType 207: ATmega162 -------------------------------------------

constexpr ControlRow kPage207[] = {
    Group("GroupBox10", " Fuse Bits (low) "),
    Check("CB207_Sel0", "CKSEL0 = 1", "FuseLow 0 = #").In("GroupBox10"),
    Check("CB207_Sel1", "CKSEL1 = 1", "FuseLow 1 = #").In("GroupBox10"),
    Check("CB207_Sel2", "CKSEL2 = 1", "FuseLow 2 = #").In("GroupBox10"),
    Check("CB207_Sel3", "CKSEL3 = 1", "FuseLow 3 = #").In("GroupBox10"),
    Check("CB207_sut0", "SUT0 = 1", "FuseLow 4 = #").In("GroupBox10"),
    Check("CB207_sut1", "SUT1 = 1", "FuseLow 5 = #").In("GroupBox10"),
    Check("CB207_ckout", "CKOUT = 1", "FuseLow 6 = #").In("GroupBox10"),
    Check("CB207_Div8", "CKDIV8 = 1", "FuseLow 7 = #").In("GroupBox10"),
    Group("GB207_High", " Fuse Bits (high, extended) ").Column(1),
    Check("CB207_btrst", "BOOTRST", "FuseHigh 0: 1 0").In("GB207_High"),
    Check("CB207_btsz0", "BOOTSZ0", "FuseHigh 1: 1 0").In("GB207_High"),
    Check("CB207_btsz1", "BOOTSZ1", "FuseHigh 2: 1 0").In("GB207_High"),
    Check("CB207_eesave", "EESAVE", "FuseHigh 3: 1 0").In("GB207_High"),
    Check("CB207_wdton", "WDTON", "FuseHigh 4: 1 0").In("GB207_High"),
    Check("CB207_spien", "SPIEN", "FuseHigh 5: 1 0").In("GB207_High"),
    Check("CB207_jtagen", "JTAGEN", "FuseHigh 6: 1 0").In("GB207_High"),
    Check("CB207_ocden", "OCDEN", "FuseHigh 7: 1 0").In("GB207_High"),
    Check("CB207_bdl0", "BODLEVEL0 = 1", "FuseExt 1 = #").In("GB207_High"),
    Check("CB207_bdl1", "BODLEVEL1 = 1", "FuseExt 2 = #").In("GB207_High"),
    Check("CB207_bdl2", "BODLEVEL2 = 1", "FuseExt 3 = #").In("GB207_High"),
    Check("CB207_m161c", "M161C", "FuseExt 4: 1 0").In("GB207_High"),
    Combo("CB207_mlb", "Memory Lock Bits", kLockCombo, "LockBits 1..0: 00 10 11")
        .Opening("LockBits 1..0 -> 0 0 1 2")
        .Column(2),
    Combo("CB207_blb0", "Boot Lock Bits 0", kBoot0Combo, "LockBits 3..2: 00 01 10 11 00")
        .Opening("LockBits 3..2")
        .Column(2),
    Combo("CB207_blb1", "Boot Lock Bits 1", kBoot1Combo, "LockBits 5..4: 00 01 10 11 00")
        .Opening("LockBits 5..4")
        .Column(2),
    Group("GroupBox15", " Calibration ").Column(2),
    Radio("RG207_Cal", "", kCalItems, kCalibWrites)
        .WithHook(RowHook::PicksCalibration)
        .Enabled(ControlChecked("CB207_Prog"))
        .In("GroupBox15"),
    Check("CB207_Prog", "Program @", kCalibProgram).In("GroupBox15"),
    Edit("CB207_edit", "0", kCalibAddress)
        .Opening(kCalibAddressOpens)
        .Enabled(ControlChecked("CB207_Prog"))
        .In("GroupBox15"),
};

// ---- ConfigType 209, 211: ATtiny25 ... ATtiny861, ATmega48PA, ATtiny2313 --

constexpr When kTiny2313 = ConfigTypeIs(kTiny2313Fuses);
constexpr ControlRow kPage209[] = {
    Combo("CKSEL_CB", "CKSEL[3:0]",
          "0000 -External Clock|0001 -High Freq PLL Clock|0010 -Internal 8 MHz Osc|"
          "0011 -Internal 128 KHz Osc|0100 -Low-Freq Xtal Osc|1000 -Xtal Osc/Res 0.4-0.9 MHz|"
          "1001 -Xtal Osc/Res 0.4-0.9 MHz|1010 -Xtal Osc/Res    0.9-3 MHz|"
          "1011 -Xtal Osc/Res    0.9-3 MHz|1100 -Xtal Osc/Res       3-8 MHz|"
          "1101 -Xtal Osc/Res       3-8 MHz|1110 -Xtal Osc/Res     8-20 MHz|"
          "1111 -Xtal Osc/Res     8-20 MHz",
          "FuseLow 3..0: 0000 0001 0010 0011 0100 1000 1001 1010 1011 1100 1101 1110 1111"),
    Radio("RG209_SUT", "SUT1..0", "00|01|10", "FuseLow 5..4 = #"),
    Check("CB209_CKOUT", "CKOUT Enabled", "FuseLow 6: 1 0").Column(1),
    Check("CB209_CKDIV8", "Divided Clock by 8 ", "FuseLow 7: 1 0").Column(1),
    Check("CB209_RSTDISBL", "RSTDISBL", "FuseHigh 7: 1 0").Column(1),
    Check("CB209_EESAVE", "EESAVE", "FuseHigh 3: 1 0").Column(1),
    Check("CB209_WDTON", "WDT always on", "FuseHigh 4: 1 0").Column(1),
    Check("CB209_SPIEN", "SPI Enabled", "FuseHigh 5: 1 0").Column(1),
    Check("CB209_DWEN", "debugWIRE Enabled", "FuseHigh 6: 1 0").Column(1),
    Check("CB209_SELFPRG", "SELFPRG Enabled", "FuseExt 0: 1 0").Column(1),
    Radio("RG209_BODLVL", "BODLEVEL[2..0]", "4.3 V|2.7 V|1.8 V|BOD Disabled", "FuseHigh 2..0 = #+4")
        .Column(2),
    Radio("RG209_LB", " Lock Bits ", kLockItems, kLockB)
        .Opening("LockBits 1..0 -> 0=0 2=1 3=2")
        .Column(2),
};
constexpr VariantRow kPage209Variants[] = {
    Vary("CKSEL_CB", kTiny2313)
        .Items("0000 -External Clock|0010 -Internal 4MHz Osc|0100 -Internal 8MHz Osc|"
               "0110 -Internal 128KHz Osc|1000 -Xtal Osc/Res 0.4-0.9 MHz|"
               "1001 -Xtal Osc/Res 0.4-0.9 MHz|1010 -Xtal Osc/Res   0.9-3 MHz|"
               "1011 -Xtal Osc/Res   0.9-3 MHz|1100 -Xtal Osc/Res     3-8 MHz|"
               "1101 -Xtal Osc/Res     3-8 MHz|1110 -Xtal Osc/Res    8-20 MHz|"
               "1111 -Xtal Osc/Res    8-20 MHz")
        .Bits("FuseLow 3..0: 0000 0010 0100 0110 1000 1001 1010 1011 1100 1101 1110 1111"),
    Vary("CB209_RSTDISBL", kTiny2313).Bits("FuseHigh 0: 1 0"),
    Vary("RG209_BODLVL", kTiny2313).Bits("FuseHigh 3..1 = #+4"),
    Vary("CB209_EESAVE", kTiny2313).Bits("FuseHigh 6: 1 0"),
    Vary("CB209_DWEN", kTiny2313).Bits("FuseHigh 7: 1 0"),
};
constexpr LabelRow kPage209Labels[] = {
    {"FL_Value", kFuseLow, "", "FuseLow: "},
    {"FH_Value", kFuseHigh, "", "FuseHigh: "},
    {"FE_Value", kFuseExt, "", "FuseExt: "},
};

constexpr PageRow kPages200[] = {{"Page200", nullptr, kPage200}};
constexpr PageRow kPages201[] = {{"Page201", nullptr, kPage201, {}, kPage201Labels}};
constexpr PageRow kPages202[] = {{"Page202", nullptr, kPage202, kPage202Variants}};
constexpr PageRow kPages203[] = {{"Page203", nullptr, kPage203, {}, kPage203Labels}};
constexpr PageRow kPages204[] = {
    {"Page204", nullptr, kPage204, kPage204Variants, kPage204Labels},
    {"Page204A", "Page 2", kPage204A},
};
constexpr PageRow kPages205[] = {{"Page205", nullptr, kPage205, kPage205Variants, kFuseLabels3}};
constexpr PageRow kPages207[] = {{"Page207", nullptr, kPage207, {}, kFuseLabels3}};
constexpr PageRow kPages209[] = {{"Page209", nullptr, kPage209, kPage209Variants, kPage209Labels}};

template <std::uint8_t... Types>
constexpr std::uint8_t kTypes[] = {Types...};

constexpr PageSet kSets[] = {
    {Dialog::Other, kTypes<200>, kPages200},
    {Dialog::Other, kTypes<201>, kPages201},
    {Dialog::Other, kTypes<202>, kPages202},
    {Dialog::Other, kTypes<203>, kPages203},
    {Dialog::Other, kTypes<204>, kPages204},
    {Dialog::Other, kTypes<205, kMega328Fuses>, kPages205},
    {Dialog::Other, kTypes<207>, kPages207},
    {Dialog::Other, kTypes<209, kTiny2313Fuses>, kPages209},
};

}  // namespace

std::span<const PageSet> AvrPageSets() {
    return kSets;
}

}  // namespace karvo::config
