// The PIC18 page sets: bytes 1H (cell 0) ... 7L (cell 13) at 0xF0010. Every
// set clears 4H when it opens, all but ConfigType 45 clear 3L, and 27, 28,
// 34, 35 and 45 clear 1L: bytes these parts do not implement, which a file
// may have filled. Columns: 0 the clock, 1 the switches, 2 the groups.
//
// Where the chips' data and the design differ, the rows follow the chips
// (gputils' headers check them): codes a part does not define open on no
// item, boxes for bits a part lacks are not shown, and the 18Fxx31's WDT
// window box is checked when the window is on.
#include "catalogue/ChipFacts.h"
#include "config/pages/PageTables.h"

namespace karvo::config {
namespace {

using namespace pic;

constexpr std::uint8_t k1L = 1;
constexpr std::uint8_t k3L = 5;
constexpr std::uint8_t k4H = 6;
constexpr std::uint8_t k4L = 7;

constexpr ClearedCell kClearsWith1L[] = {
    {k4H, Always()},
    {k3L, Not(ConfigTypeIs(kConfigType18Fxx31))},
    {k1L, Always()},
};
constexpr ClearedCell kClears[] = {{k4H, Always()}, {k3L, Always()}};

// Label13 ... Label26: 1H, 1L, 2H ... 7L.
constexpr LabelRow kBytes[] = {
    {"Label13", 0, ""},  {"Label14", 1, ""},  {"Label15", 2, ""},  {"Label16", 3, ""},
    {"Label17", 4, ""},  {"Label18", 5, ""},  {"Label19", 6, ""},  {"Label20", 7, ""},
    {"Label21", 8, ""},  {"Label22", 9, ""},  {"Label23", 10, ""}, {"Label24", 11, ""},
    {"Label25", 12, ""}, {"Label26", 13, ""},
};

constexpr std::string_view kBorVolts = "4.5V|4.2V|2.7V|2.0V";
constexpr std::string_view kPostscaler8 = "1:1|1:2|1:4|1:8|1:16|1:32|1:64|1:128";
constexpr std::string_view kPostscaler16 =
    "1:1|1:2|1:4|1:8|1:16|1:32|1:64|1:128|1:256|1:512|1:1024|1:2048|1:4096|1:8192|1:16384|"
    "1:32768";

// ---- ConfigType 27, 28: 18F242 ... 18F458 ---------------------------------

constexpr ControlRow kPage27[] = {
    Radio("RG27_Osc", " Oscillator ",
          "LP|XT|HS|RC|RC + CLKout on OSC2|EC + RA6|HS + PLL enabled|RC + RA6",
          "1H 2..0 = #; 1H 7..6: 00; 1H 4..3: 00"),
    Check("CB27_Pwt", "Power-Up Timer  disabled", "2L 0 = #; 2L 7..4: 0000").Column(1),
    Check("CB27_Oscen", "Timer1 Osc syst clk disabled", "1H 5 = #; 1H 7..6: 00; 1H 4..3: 00")
        .Column(1),
    Check("CB27_Boren", "Brown Out Enabled", "2L 1 = #; 2L 7..4: 0000").Column(1),
    Radio("RG27_Bor", " Brown-out Voltage ", kBorVolts, "2L 3..2 = #; 2L 7..4: 0000")
        .Enabled(ControlChecked("CB27_Boren"))
        .Column(2),
};
constexpr ControlRow kPage27A[] = {
    Check("CB27_Wdt", "Watchdog  enabled", "2H 3..0: 1110 ---1; 2H 7..4: 0000"),
    Radio("RG27_Wdt", " Watchdog Postscaler ", kPostscaler8, "2H 3..1 = #; 2H 7..4: 0000")
        .Enabled(ControlChecked("CB27_Wdt")),
    Check("CB27_Lvp", "Low Voltage Prog enabled", "4L 2 = #; 4L 6..3: 0000; 4L 1: 0").Column(1),
    Check("CB27_Ser", "Stack Error Reset enabled", "4L 0 = #; 4L 6..3: 0000; 4L 1: 0").Column(1),
    Check("CB27_Ccp", "CCP2  or RC1", "3H 0 = #; 3H 7..1: 0000000")
        .Visible(ConfigTypeIs(kConfigType18F452))
        .Column(1),
    Check("CB27_Bkd", "Background Debugger disabled", "4L 7 = #; 4L 6..3: 0000; 4L 1: 0").Column(1),
};
constexpr VariantRow kPage27AVariants[] = {
    Vary("CB27_Ccp", Checked()).Caption("CCP2 / RC1"),
    Vary("CB27_Ccp", Always()).Caption("CCP2 / RB3"),
};
// The blocks above 0x3FFF exist on the 32 KiB parts only.
constexpr When k27Large = Not(LastAddrBelow(16385));
constexpr ControlRow kPage27B[] = {
    Group("GB27B_Cp", " Code Protection "),
    Check("CB27_Cpb", "0000 - 01FF protected", "5H 6..0: 1------ 0000000").In("GB27B_Cp"),
    Check("CB27_Cp200", "0200 - 1FFF protected", "5L 7..0: -------1 0000---0").In("GB27B_Cp"),
    Check("CB27_Cp2000", "2000 - 3FFF protected", "5L 7..1: ------1 0000--0").In("GB27B_Cp"),
    Check("CB27_Cp4000", "4000 - 5FFF protected", "5L 7..2: -----1 0000-0")
        .Visible(k27Large)
        .In("GB27B_Cp"),
    Check("CB27_Cp6000", "6000 - 7FFF protected", "5L 7..3: ----1 00000")
        .Visible(k27Large)
        .In("GB27B_Cp"),
    Check("CB27_Cpd", "Data EEPROM protected", "5H 7..0: 1------- 0-000000").In("GB27B_Cp"),
    Group("GB27B_Wrt", " Table Write Protection ").Column(1),
    Check("CB27_Wrtb", "0000 - 01FF protected", "6H 6..0: 1------ 0-00000").In("GB27B_Wrt"),
    Check("CB27_Wrt0", "0200 - 1FFF protected", "6L 7..0: -------1 0000---0").In("GB27B_Wrt"),
    Check("CB27_Wrt1", "2000 - 3FFF protected", "6L 7..1: ------1 0000--0").In("GB27B_Wrt"),
    Check("CB27_Wrt2", "4000 - 5FFF protected", "6L 7..2: -----1 0000-0")
        .Visible(k27Large)
        .In("GB27B_Wrt"),
    Check("CB27_Wrt3", "6000 - 7FFF protected", "6L 7..3: ----1 00000")
        .Visible(k27Large)
        .In("GB27B_Wrt"),
    Check("CB27_Wrtd", "Data EEPROM protected", "6H 7..0: 1------- 0--00000").In("GB27B_Wrt"),
    Check("CB27_Wrtc", "Config registers protected", "6H 5..0: 1----- 000000").In("GB27B_Wrt"),
    Group("GB27B_Tr", " Table Read Protection ").Column(2),
    Check("CB27_Trb", "0000 - 01FF protected", "7H 6: 1 0; 7H 7: 0; 7H 5..0: 000000")
        .In("GB27B_Tr"),
    Check("CB27_Tr0", "0200 - 1FFF protected", "7L 7..0: -------1 0000---0").In("GB27B_Tr"),
    Check("CB27_Tr1", "2000 - 3FFF protected", "7L 7..1: ------1 0000--0").In("GB27B_Tr"),
    Check("CB27_Tr2", "4000 - 5FFF protected", "7L 7..2: -----1 0000-0")
        .Visible(k27Large)
        .In("GB27B_Tr"),
    Check("CB27_Tr3", "6000 - 7FFF protected", "7L 7..3: ----1 00000")
        .Visible(k27Large)
        .In("GB27B_Tr"),
};

// ---- ConfigType 34, 35, 45: 18F1220 ... 18F4320, 18F2331 ... 18F4431 -------

constexpr When k18Fxx31 = ConfigTypeIs(kConfigType18Fxx31);
// 0011, 1010 and 1011 are no oscillator of the 18F1220 ... 18F4320 (the
// 18Fxx31 has RC with CLKO on all three).
constexpr ControlRow kPage34[] = {
    Radio("RG34_Osc", " Oscillator ",
          "LP|XT|HS|EC + CLKout on RA6|EC + RA6|HS + PLL enabled|Ext RC + RA6|Int RC + RA6 + RA7|"
          "Int RC + CLKout on RA6 + RA7|Ext RC + CLKout on RA6",
          "1H 3..0: 0000 0001 0010 0100 0101 0110 0111 1000 1001 1111; 1H 5..4: 00")
        .Opening("1H 3..0 -> 0 1 2 - 3 4 5 6 7 8 - - 9 9 9 9"),
    Check("CB34_Pwt", "Power-Up Timer  disabled", "2L 0 = #; 2L 7..4: 0000").Column(1),
    Check("CB34_Fcmem", "Fail-Safe Clk Mon Enabled", "1H 6 = #; 1H 5..4: 00").Column(1),
    Check("CB34_Boren", "Brown Out Enabled", "2L 1 = #; 2L 7..4: 0000").Column(1),
    Check("CB34_Ieso", "Int Ext Switch Over Enabled", "1H 7 = #; 1H 5..4: 00").Column(1),
    // Only the 18Fxx31 has an SSP multiplexer (CONFIG3H bit 2).
    Check("CB34_SSP", "SSP I/O Mux ", "3H 2 = #; 3H 6..5: 00; 3H 1: 0").Visible(k18Fxx31).Column(1),
    Radio("RG34_Bor", " Brown-out Voltage ", kBorVolts, "2L 3..2 = #; 2L 7..4: 0000")
        .Enabled(ControlChecked("CB34_Boren"))
        .Column(2),
};
constexpr VariantRow kPage34Variants[] = {
    Vary("RG34_Osc", k18Fxx31).Opening("1H 3..0 -> 0 1 2 9 3 4 5 6 7 8 9 9 9 9 9 9"),
};
constexpr When kPage34Ccp =
    Any({ConfigTypeIs(kConfigType18F4320), ConfigTypeIs(kConfigType18Fxx31)});
constexpr ControlRow kPage34A[] = {
    Check("CB34_Wdt", "Watchdog  enabled", "2H 0 = #; 2H 7..6: 00"),
    Radio("RG34_Wdt", " Watchdog Postscaler ", kPostscaler16, "2H 4..1 = #; 2H 7..6: 00")
        .Enabled(ControlChecked("CB34_Wdt")),
    Check("CB34_Lvp", "Low Voltage Prog enabled", "4L 2 = #; 4L 6..3: 0000; 4L 1: 0").Column(1),
    Check("CB34_Ser", "Stack Error Reset enabled", "4L 0 = #; 4L 6..3: 0000; 4L 1: 0").Column(1),
    Check("CB34_Ccp", "CCP2  or RC1", "3H 0 = #; 3H 6..2: 00000").Visible(kPage34Ccp).Column(1),
    Check("CB34_Bkd", "Background Debugger disabled", "4L 7 = #; 4L 6..3: 0000; 4L 1: 0").Column(1),
    Check("CB34_Pbad", "PORTB A/D <4:0> enabled", "3H 1 = #; 3H 6..2: 00000")
        .Visible(ConfigTypeIs(kConfigType18F4320))
        .Column(1),
    Check("CB34_Mcl", "MCLR enabled", "3H 7 = #; 3H 6..2: 00000").Column(1),
    // WINEN is active low: a checked box opens the window.
    Check("CB34_Winen", "WDT Window enable", "2H 5: 1 0; 2H 7..6: 00").Visible(k18Fxx31).Column(1),
    Group("GB34A_Xx31", "18Fxx31 Options").Visible(k18Fxx31).Column(2),
    Check("CB34_Pwm4", "PWM4 Mux", "3H 3 = #; 3H 6..5: 00; 3H 1: 0").In("GB34A_Xx31"),
    Check("CB34_Excm", "External Clock Mux", "3H 4 = #; 3H 6..5: 00; 3H 1: 0").In("GB34A_Xx31"),
    Check("CB34_Pwmpin", "PWM disabled on Reset", "3L 2 = #; 3L 7..6: 00; 3L 1..0: 00")
        .In("GB34A_Xx31"),
    Check("CB34_GPTREN", "GPT Reset disable", "3L 5 = #; 3L 7..6: 00; 3L 1..0: 00")
        .In("GB34A_Xx31"),
    Check("CB34_LPOL", "LPOL active high", "3L 3 = #; 3L 7..6: 00; 3L 1..0: 00").In("GB34A_Xx31"),
    Check("CB34_HPOL", "HPOL active high", "3L 4 = #; 3L 7..6: 00; 3L 1..0: 00").In("GB34A_Xx31"),
};
constexpr VariantRow kPage34AVariants[] = {
    Vary("CB34_Ccp", k18Fxx31).Caption("FLTA Mux RC1").Bits("3H 0 = #; 3H 6..5: 00; 3H 1: 0"),
    Vary("CB34_Ccp", Checked()).Caption("CCP2 / RC1"),
    Vary("CB34_Ccp", Always()).Caption("CCP2 / RB3"),
    Vary("CB34_Mcl", k18Fxx31).Bits("3H 7 = #; 3H 6..5: 00; 3H 1: 0"),
};
// Blocks 2 and 3: not on the 18F1x20, nor on the smaller parts of the others.
constexpr When k34SmallXx31 = All({ConfigTypeIs(kConfigType18Fxx31), LastAddrBelow(8193)});
constexpr When k34Large = All(
    {Not(ConfigTypeIs(kConfigType18F1320)), Not(LastAddrBelow(4097)), Not(Nested(k34SmallXx31))});
constexpr ControlRow kPage34B[] = {
    Group("GB34B_Cp", " Code Protection "),
    Check("CB34_Cp0", "CP0 protected", "5L 7..0: -------1 0000---0").In("GB34B_Cp"),
    Check("CB34_Cp1", "CP1 protected", "5L 7..1: ------1 0000--0").In("GB34B_Cp"),
    Check("CB34_Cp2", "CP2 protected", "5L 7..2: -----1 0000-0").Visible(k34Large).In("GB34B_Cp"),
    Check("CB34_Cp3", "CP3 protected", "5L 7..3: ----1 00000").Visible(k34Large).In("GB34B_Cp"),
    Check("CB34_Cpb", "CPB protected", "5H 6..0: 1------ 0000000").In("GB34B_Cp"),
    Check("CB34_Cpd", "CPD protected", "5H 7..0: 1------- 0-000000").In("GB34B_Cp"),
    Group("GB34B_Wrt", " Write Protection ").Column(1),
    Check("CB34_Wrt0", "WRT0 protected", "6L 7..0: -------1 0000---0").In("GB34B_Wrt"),
    Check("CB34_Wrt1", "WRT1 protected", "6L 7..1: ------1 0000--0").In("GB34B_Wrt"),
    Check("CB34_Wrt2", "WRT2 protected", "6L 7..2: -----1 0000-0")
        .Visible(k34Large)
        .In("GB34B_Wrt"),
    Check("CB34_Wrt3", "WRT3 protected", "6L 7..3: ----1 00000").Visible(k34Large).In("GB34B_Wrt"),
    Check("CB34_Wrtb", "WRTB protected", "6H 6..0: 1------ 0-00000").In("GB34B_Wrt"),
    Check("CB34_Wrtc", "WRTC protected", "6H 5..0: 1----- 000000").In("GB34B_Wrt"),
    Check("CB34_Wrtd", "WRTD protected", "6H 7..0: 1------- 0--00000").In("GB34B_Wrt"),
    Group("GB34B_Tr", " Table Read Protection ").Column(2),
    Check("CB34_Tr0", "EBTR0 protected", "7L 7..0: -------1 0000---0").In("GB34B_Tr"),
    Check("CB34_Tr1", "EBTR1 protected", "7L 7..1: ------1 0000--0").In("GB34B_Tr"),
    Check("CB34_Tr2", "EBTR2 protected", "7L 7..2: -----1 0000-0").Visible(k34Large).In("GB34B_Tr"),
    Check("CB34_Tr3", "EBTR3 protected", "7L 7..3: ----1 00000").Visible(k34Large).In("GB34B_Tr"),
    Check("CB34_Trb", "EBTRB protected", "7H 7..0: -1------ 00000000").In("GB34B_Tr"),
};

// ---- ConfigType 36, 37, 41 ... 44: 18F2455 ... 18F4685 ---------------------

constexpr When kUsb = Any({ConfigTypeIs(kConfigType18F4550), ConfigTypeIs(kConfigType18F4450)});
constexpr When kNotUsb =
    All({Not(ConfigTypeIs(kConfigType18F4550)), Not(ConfigTypeIs(kConfigType18F4450))});
constexpr ControlRow kPage36[] = {
    // 000x XT, 001x XT with PLL, 110x HS, 111x HS with PLL.
    Radio("RG36_Osc", " Oscillator ",
          "XT,  XTused by USB|XT, ,XT used by USB, PLL enabled|EC, EC used by USB, RA6 = IO|"
          "EC, EC used by USB, CLKout on RA6|EC, EC used by USB, PLL enabled, RA6 = IO|"
          "EC, EC used by USB, PLL enabled, CLKout on RA6|Int Osc, EC used by USB, RA6 = IO|"
          "Int Osc, EC used by USB, CLKout on RA6|Int Osc, XT used by USB|"
          "Int Osc, HS used by USB|HS, HS used by USB|HS, HS used by USB, PLL enabled",
          "1H 3..0: 0000 0010 0100 0101 0110 0111 1000 1001 1010 1011 1100 1110; 1H 5..4: 00")
        .Opening("1H 3..0 -> 0 0 1 1 2 3 4 5 6 7 8 9 10 10 11 11")
        .Visible(kUsb),
    // 101x and 11xx are RC with CLKO as well.
    Radio("RG37_Osc", " Oscillator ",
          "LP Osc|XT Osc|HS Osc|Ext RC Osc, RA6 = CLKO|EC Osc, RA6 = CLKO |EC Osc, RA6 I/O|"
          "HS Osc, PLL enabled|Ext RC Osc, RA6 = I/O|Int RC Osc, RA6 and RA7 = I/O|"
          "Int RC Osc, RA6 = CLKO,  RA7 = I/O|Ext RC Osc, RA6 = CLKO",
          "1H 3..0: 0000 0001 0010 0011 0100 0101 0110 0111 1000 1001 1111; 1H 5..4: 00")
        .Opening("1H 3..0")
        .Visible(kNotUsb),
};
constexpr ControlRow kPage36A[] = {
    Radio("RG36_Osd", " Oscillator Divider ",
          "No Osc divide (4MHz)|Osc divided by 2 (8MHz)|Osc divided by 3 (12MHz)|"
          "Osc divided by 4 (16MHz)|Osc divided by 5 (20MHz)|Osc divided by 6 (24MHz)|"
          "Osc divided by 10 (40MHz)|Osc divided by 12 (48MHz)",
          "1L 2..0 = #; 1L 7..6: 00")
        .Visible(kUsb),
    Radio("RG36_Clkdiv", " CPU System Clock Divider ",
          "No CPU Clock divide|CPU Clock divided by 2|CPU Clock divided by 3|"
          "CPU Clock divided by 4",
          "1L 4..3 = #; 1L 7..6: 00")
        .Visible(kUsb),
    Radio("RG36_Bov", " Brown-out Voltage ", kBorVolts, "2L 4..3 = #; 2L 7..6: 00").Column(1),
    Radio("RG36_Bor", " Brown-out enable ",
          "BOR disabled|BOR enabled , controlled by software|"
          "BOR enabled , disabled in SLEEP mode|BOR enabled by hardware only",
          "2L 2..1 = #; 2L 7..6: 00")
        .Column(1),
    Radio("RG37_BB", "Boot Block",
          "1K words Boot Block|2K words Boot Block|4K words Boot Block|4K words Boot Block",
          "4L 5..4 = #; 4L 3: 0; 4L 1: 0")
        .Visible(ConfigTypeIs(kConfigType18F4680))
        .Column(2),
    Radio("RG42_BB", "Boot Block", "1K words Boot Block|2K words Boot Block",
          "4L 4 = #; 4L 5: 0; 4L 3: 0; 4L 1: 0")
        .Visible(Any({ConfigTypeIs(kConfigType18F4580), ConfigTypeIs(kConfigType18F4450)}))
        .Column(2),
};
constexpr VariantRow kPage36AVariants[] = {
    Vary("RG42_BB", ConfigTypeIs(kConfigType18F4450)).Bits("4L 3 = #; 4L 4: 0; 4L 1: 0"),
};
// ICPORT: the 44-pin USB parts only (their mask has CONFIG4L bit 5).
constexpr When kIcportTypes =
    Any({ConfigTypeIs(kConfigType18F4550), ConfigTypeIs(kConfigType18F4520),
         ConfigTypeIs(kConfigType18F4450)});
constexpr ControlRow kPage36B[] = {
    Check("CB36_Pwrt", "PWRT disabled", "2L 0 = #; 2L 7..6: 00"),
    Check("CB36_Fcm", "FCM enabled", "1H 6 = #; 1H 5..4: 00"),
    Check("CB36_Vreg", "VREG enabled", "2L 5 = #; 2L 7..6: 00").Visible(kUsb),
    Check("CB36_Ieso", "IESO enabled", "1H 7 = #; 1H 5..4: 00"),
    Check("CB36_Pll", "USB Clk Src  96MHz PLL div 2", "1L 5 = #; 1L 7..6: 00").Visible(kUsb),
    Check("CB36_Wdt", "WDT enabled", "2H 0 = #; 2H 7..5: 000"),
    Check("CB36_Mclr", "MCLR enabled", "3H 7 = #; 3H 6..3: 0000").Column(1),
    Check("CB36_Lpt1", "LPT1OSC enabled", "3H 2 = #; 3H 6..3: 0000").Column(1),
    Check("CB36_Pbad", "PBAD enabled", "3H 1 = #; 3H 6..3: 0000").Column(1),
    Check("CB36_Ccp2", "CCP2 muxed with RC1", "3H 0 = #; 3H 6..3: 0000")
        .Visible(Any({ConfigTypeIs(kConfigType18F4550), ConfigTypeIs(kConfigType18F4520)}))
        .Column(1),
    Check("CB36_Debug", "DEBUG disabled ", "4L 7 = #; 4L 1: 0").Column(1),
    Check("CB36_Xinst", "XINST enabled", "4L 6 = #; 4L 1: 0").Column(1),
    Check("CB36_Icport", "ICPORT enabled", "4L 5 = #; 4L 1: 0")
        .Visible(All({Nested(kIcportTypes), MaskHas(k4L, 0x20)}))
        .Column(1),
    Check("CB36_Lvp", "LVP enabled", "4L 2 = #; 4L 1: 0").Column(1),
    Check("CB36_Stvr", "STVR enabled", "4L 0 = #; 4L 1: 0").Column(1),
    Radio("RG36_Wdt", " Watchdog Postscaler ", kPostscaler16, "2H 4..1 = #; 2H 7..5: 000")
        .Enabled(ControlChecked("CB36_Wdt"))
        .Column(2),
};
// Blocks by size: 2 and up above 16 KiB, 3 but on the 24 KiB and 48 KiB
// parts, 4 and 5 on the 18F4682/4685 (5 on the 96 KiB part only).
constexpr When k36Block2 = Not(LastAddrBelow(0x4000));
constexpr When k36Block3 =
    All({Not(LastAddrBelow(0x4000)), Not(LastAddrIs(0x5FFF)), Not(LastAddrIs(0xBFFF))});
constexpr When k36Block4 = All({ConfigTypeIs(kConfigType18F4685), Not(LastAddrBelow(0x4000))});
constexpr When k36Block5 = All({ConfigTypeIs(kConfigType18F4685), Not(LastAddrBelow(0x17FFF))});
constexpr When k36Eeprom = Not(EepromSizeIs(0));
constexpr ControlRow kPage36C[] = {
    Group("GB36C_Cp", " Code Protection "),
    Check("CB36_Cp0", "CP0 protected", "5L 7..0: -------1 00-----0").In("GB36C_Cp"),
    Check("CB36_Cp1", "CP1 protected", "5L 7..1: ------1 00----0").In("GB36C_Cp"),
    Check("CB36_Cp2", "CP2 protected", "5L 7..2: -----1 00---0").Visible(k36Block2).In("GB36C_Cp"),
    Check("CB36_Cp3", "CP3 protected", "5L 7..3: ----1 00--0").Visible(k36Block3).In("GB36C_Cp"),
    Check("CB36_Cp4", "CP4 protected", "5L 7..4: ---1 00-0").Visible(k36Block4).In("GB36C_Cp"),
    Check("CB36_Cp5", "CP5 protected", "5L 7..5: --1 000").Visible(k36Block5).In("GB36C_Cp"),
    Check("CB36_Cpb", "CPB protected", "5H 6..0: 1------ 0000000").In("GB36C_Cp"),
    Check("CB36_Cpd", "CPD protected", "5H 7..0: 1------- 0-000000")
        .Visible(k36Eeprom)
        .In("GB36C_Cp"),
    Group("GB36C_Wrt", " Write Protection ").Column(1),
    Check("CB36_Wrt0", "WRT0 protected", "6L 7..0: -------1 00-----0").In("GB36C_Wrt"),
    Check("CB36_Wrt1", "WRT1 protected", "6L 7..1: ------1 00----0").In("GB36C_Wrt"),
    Check("CB36_Wrt2", "WRT2 protected", "6L 7..2: -----1 00---0")
        .Visible(k36Block2)
        .In("GB36C_Wrt"),
    Check("CB36_Wrt3", "WRT3 protected", "6L 7..3: ----1 00--0").Visible(k36Block3).In("GB36C_Wrt"),
    Check("CB36_Wrt4", "WRT4 protected", "6L 7..4: ---1 00-0").Visible(k36Block4).In("GB36C_Wrt"),
    Check("CB36_Wrt5", "WRT5 protected", "6L 7..5: --1 000").Visible(k36Block5).In("GB36C_Wrt"),
    Check("CB36_Wrtb", "WRTB protected", "6H 6..0: 1------ 0-00000").In("GB36C_Wrt"),
    Check("CB36_Wrtc", "WRTC protected", "6H 5..0: 1----- 000000").In("GB36C_Wrt"),
    Check("CB36_Wrtd", "WRTD protected", "6H 7..0: 1------- 0--00000")
        .Visible(k36Eeprom)
        .In("GB36C_Wrt"),
    Group("GB36C_Tr", " Table Read Protection ").Column(2),
    Check("CB36_Tr0", "EBTR0 protected", "7L 7..0: -------1 00-----0").In("GB36C_Tr"),
    Check("CB36_Tr1", "EBTR1 protected", "7L 7..1: ------1 00----0").In("GB36C_Tr"),
    Check("CB36_Tr2", "EBTR2 protected", "7L 7..2: -----1 00---0")
        .Visible(k36Block2)
        .In("GB36C_Tr"),
    Check("CB36_Tr3", "EBTR3 protected", "7L 7..3: ----1 00--0").Visible(k36Block3).In("GB36C_Tr"),
    Check("CB36_Tr4", "EBTR4 protected", "7L 7..4: ---1 00-0").Visible(k36Block4).In("GB36C_Tr"),
    Check("CB36_Tr5", "EBTR5 protected", "7L 7..5: --1 000").Visible(k36Block5).In("GB36C_Tr"),
    Check("CB36_Trb", "EBTRB protected", "7H 6: 1 0; 7H 7: 0; 7H 5..0: 000000").In("GB36C_Tr"),
};

// ---- ConfigType 38: 18F24K50, 18F25K50, 18F45K50 ---------------------------

constexpr When k38Small = LastAddrIs(0x3FFF);
constexpr ControlRow kPage38[] = {
    Radio("RG38_USBLSDIV", " USB Low-Speed Clock",
          "USB 24MHz Sys Clk divide by 4|USB 48MHz Sys Clk divide by 8", "1L 5 = #"),
    Radio("RG38_CPUDIV", " CPU System Clock Select",
          "No CPU system clock divide|CPU system clock divide by 2|"
          "CPU system clock divide by 3|CPU system clock divide by 6",
          "1L 4..3 = #"),
    Radio("RG38_PLLEN", " PLL Enable", "Osc used directly|Osc multiplied by 3 or 4", "1L 1 = #")
        .Column(1),
    Radio("RG38_PLLMULT", " PLL Multiplier Select", "Output = 4x Input Freq|Output = 3x Input Freq",
          "1L 0 = #")
        .Column(1),
};
// 1110 and 1111 are no oscillator of these parts: shown if stored, never
// written.
constexpr ControlRow kPage38A[] = {
    Radio("RG38_Osc", " Oscillator ",
          "LP Osc|XT Osc|HS Osc (high power, >16MHz)|HS Osc (medium power 4-16MHz)|"
          "EC Osc, RA6 = CLKO (high power, >16MHz)|EC Osc (high power, >16MHz)|"
          "Ext RC Osc, RA6 = CLKO|Ext RC Osc|Int RC Osc|Int RC Osc, RA6 = CLKO|"
          "EC Osc, RA6 = CLKO (medium power 4-16MHz)|EC Osc (medium power 4-16MHz)|"
          "EC Osc, RA6 = CLKO (low power)|EC Osc (low power)|Ext RC Osc, RA6 = CLKO",
          "1H 3..0 = #")
        .Offers(14),
};
constexpr ControlRow kPage38B[] = {
    Check("CB38_LBPOR", "Low-Power Brown-out Disabled", "2L 6 = #"),
    Check("CB38_PCLKEN", "Primary Clock Enabled", "1H 5 = #"),
    Check("CB38_FCMEN", "FCMEN Enabled", "1H 6 = #"),
    Check("CB38_IESO", "IESO Enabled", "1H 7 = #"),
    Check("CB38_PWRTEN", "Power-up timer Disabled", "2L 0 = #"),
    Check("CB38_MCLRE", "MLCR Pin Enabled", "3H 7 = #"),
    Check("CB38_LVP", "LVP Enabled", "4L 2 = #").Column(1),
    Check("CB38_DEBUG", "DEBUG Disabled", "4L 7 = #").Column(1),
    // The in-circuit port is on the 44-pin part only.
    Check("CB38_ICPRT", "Dedicated In-Circuit Port Enable", "4L 5 = #")
        .Visible(MaskHas(k4L, 0x20))
        .Column(1),
    Check("CB38_PBADEN", "PORTB A/D Enabled", "3H 1 = #").Column(1),
    Check("CB38_XINST", "Extended Instrution Set Enable", "4L 6 = #").Column(1),
    Check("CB38_STVREN", "STVREN enabled", "4L 0 = #").Column(1),
    Radio("RG38_WDTPS", " Watchdog Postscaler ", kPostscaler16, "2H 5..2 = #").Column(2),
    Radio("RG38_CCP2MX", " CCP MUX", "CCP2 is multiplexed with RB3|CCP2 is multiplexed with RC1",
          "3H 0 = #")
        .Column(3),
    Radio("RG38_WDTEN", "Watchdog Timer",
          "Disabled|Enabled, Disabled in Sleep|Controlled by SWDTEN bit|Enabled", "2H 1..0 = #")
        .Column(3),
};
constexpr ControlRow kPage38C[] = {
    Radio("RG38_BOREN", "Brown-out Reset",
          "Disabled|Controlled by SBOREN bit|Enabled , Disabled in Sleep|Enabled", "2L 2..1 = #"),
    Radio("RG38_BORV", "Brown-out Reset Voltage", "2.85 V|  2.5 V|  2.2 V|  1.9 V", "2L 4..3 = #"),
    Radio("RG38_T3CMX", " Timer3 Clock Input MUX", "T3CKI on RB5|T3CKI on RC0", "3H 4 = #")
        .Column(1),
    Radio("RG38_SDOMX", " SDO Output MUX", "SDO on RC7|SDO on RB3", "3H 6 = #").Column(1),
};
// The LF part's 3.6 V (as stored, single precision) keeps the four levels.
constexpr VariantRow kPage38CVariants[] = {
    Vary("RG38_BORV", Not(VccMaxIs(360))).Items("2.85V|2.5V").Opening("2L 3"),
};
constexpr When kNot38Small = Not(k38Small);
constexpr ControlRow kPage38D[] = {
    Group("GB38D_Cp", " Code Protection "),
    Check("CB38_CP0", "CP0 protected", "5L 0: 1 0").In("GB38D_Cp"),
    Check("CB38_CP1", "CP1 protected", "5L 1: 1 0").In("GB38D_Cp"),
    Check("CB38_CP2", "CP2 protected", "5L 2: 1 0").Enabled(kNot38Small).In("GB38D_Cp"),
    Check("CB38_CP3", "CP3 protected", "5L 3: 1 0").Enabled(kNot38Small).In("GB38D_Cp"),
    Check("CB38_CP4", "CP4 protected", "5L 4: 1 0").Enabled(Never()).In("GB38D_Cp"),
    Check("CB38_CP5", "CP5 protected", "5L 5: 1 0").Enabled(Never()).In("GB38D_Cp"),
    Check("CB38_CPB", "CPB protected", "5H 6: 1 0").In("GB38D_Cp"),
    Check("CB38_CPD", "CPD protected", "5H 7: 1 0").In("GB38D_Cp"),
    Group("GB38D_Wrt", " Write Protection ").Column(1),
    Check("CB38_WRT0", "WRT0 protected", "6L 0: 1 0").In("GB38D_Wrt"),
    Check("CB38_WRT1", "WRT1 protected", "6L 1: 1 0").In("GB38D_Wrt"),
    Check("CB38_WRT2", "WRT2 protected", "6L 2: 1 0").Enabled(kNot38Small).In("GB38D_Wrt"),
    Check("CB38_WRT3", "WRT3 protected", "6L 3: 1 0").Enabled(kNot38Small).In("GB38D_Wrt"),
    Check("CB38_WRT4", "WRT4 protected", "6L 4: 1 0").Enabled(Never()).In("GB38D_Wrt"),
    Check("CB38_WRT5", "WRT5 protected", "6L 5: 1 0").Enabled(Never()).In("GB38D_Wrt"),
    Check("CB38_WRTB", "WRTB protected", "6H 6: 1 0").In("GB38D_Wrt"),
    Check("CB38_WRTC", "WRTC protected", "6H 5: 1 0").In("GB38D_Wrt"),
    Check("CB38_WRTD", "WRTD protected", "6H 7: 1 0").In("GB38D_Wrt"),
    Group("GB38D_Tr", " Table Read Protection ").Column(2),
    Check("CB38_EBTR0", "EBTR0 protected", "7L 0: 1 0").In("GB38D_Tr"),
    Check("CB38_EBTR1", "EBTR1 protected", "7L 1: 1 0").In("GB38D_Tr"),
    Check("CB38_EBTR2", "EBTR2 protected", "7L 2: 1 0").Enabled(kNot38Small).In("GB38D_Tr"),
    Check("CB38_EBTR3", "EBTR3 protected", "7L 3: 1 0").Enabled(kNot38Small).In("GB38D_Tr"),
    Check("CB38_EBTR4", "EBTR4 protected", "7L 4: 1 0").Enabled(Never()).In("GB38D_Tr"),
    Check("CB38_EBTR5", "EBTR5 protected", "7L 5: 1 0").Enabled(Never()).In("GB38D_Tr"),
    Check("CB38_EBTRB", "EBTRB protected", "7H 6: 1 0").In("GB38D_Tr"),
};

constexpr PageRow kPages27[] = {
    {"Page27", nullptr, kPage27},
    {"Page27A", " Page 2", kPage27A, kPage27AVariants, {}, false},
    {"Page27B", " Page 3", kPage27B, {}, {}, false},
};
constexpr PageRow kPages34[] = {
    {"Page34", nullptr, kPage34, kPage34Variants, kBytes},
    {"Page34A", " Page 2", kPage34A, kPage34AVariants, kBytes, false},
    {"Page34B", " Page 3", kPage34B, {}, kBytes, false},
};
constexpr PageRow kPages36[] = {
    {"Page36", nullptr, kPage36, {}, kBytes},
    {"Page36A", " Page 2", kPage36A, kPage36AVariants, kBytes, false},
    {"Page36B", " Page 3", kPage36B, {}, kBytes, false},
    {"Page36C", " Page 4", kPage36C, {}, kBytes, false},
};
constexpr PageRow kPages38[] = {
    {"Page38", nullptr, kPage38, {}, kBytes},
    {"Page38A", " Page 2", kPage38A, {}, kBytes, false},
    {"Page38B", " Page 3", kPage38B, {}, kBytes, false},
    {"Page38C", " Page 4", kPage38C, kPage38CVariants, kBytes, false},
    {"Page38D", " Page 5", kPage38D, {}, kBytes, false},
};

constexpr std::uint8_t kSet27[] = {kConfigType18F452, kConfigType18F458};
constexpr std::uint8_t kSet34[] = {kConfigType18F4320, kConfigType18F1320, kConfigType18Fxx31};
constexpr std::uint8_t kSet36[] = {kConfigType18F4550, kConfigType18F4520, kConfigType18F4580,
                                   kConfigType18F4450, kConfigType18F4680, kConfigType18F4685};
constexpr std::uint8_t kSet38[] = {kConfigType18F45K50};

constexpr PageSet kSets[] = {
    {Dialog::Pic, kSet27, kPages27, kClearsWith1L},
    {Dialog::Pic, kSet34, kPages34, kClearsWith1L},
    {Dialog::Pic, kSet36, kPages36, kClears},
    {Dialog::Pic, kSet38, kPages38, kClears},
};

}  // namespace

std::span<const PageSet> Pic18PageSets() {
    return kSets;
}

}  // namespace karvo::config
