// The enhanced mid-range page set (ConfigType 46 ... 50): two configuration
// words at 0x1000E (w1) and 0x10010 (w2). Columns: 0 the clock, 1 the
// switches, 2 the groups.
#include "catalogue/ChipFacts.h"
#include "config/pages/PageTables.h"

namespace karvo::config {
namespace {

using namespace pic;

constexpr LabelRow kTwoWords[] = {
    {"Label13", 0, ""}, {"Label14", 1, ""}, {"Label15", 2, ""}, {"Label16", 3, ""}};

constexpr When k1459 = ConfigTypeIs(kConfigType16F1459);
constexpr When k1509 = ConfigTypeIs(kConfigType16F1509);
constexpr When kNot1509 = Not(k1509);

constexpr ControlRow kPage46[] = {
    Radio("RG46_Osc", " Oscillator ",
          "LP|XT|HS|EXTRC + RC on RA7|INTRC + IO on RA7|ECL + CLKIN on RA7|ECM + CLKIN on RA7|"
          "ECH + CLKIN on RA7",
          "w1 2..0 = #"),
    Check("CB46_Fcmen", "FCMEN Enabled", "w1 13 = #; w1 15..14: 00").Column(1),
    Check("CB46_Ieso", "IESO Enabled", "w1 12 = #; w1 15..14: 00").Column(1),
    Check("CB46_Clkouten", "CLKOUT Disabled ", "w1 11 = #; w1 15..14: 00").Column(1),
    Check("CB46_EEPro", "Data Memory Protection Off", "w1 8 = #; w1 15..14: 00")
        .Visible(All({Not(k1459), kNot1509}))
        .Column(1),
    Check("CB46_Mclr", "MCLR Enabled", "w1 6 = #").Column(1),
    Check("CB46_Pwrt", "PWRT Disabled", "w1 5 = #").Column(1),
    Radio("RG46_Borbits", "Brown-out Reset",
          "Disabled|Controlled by SBOREN bit|Enabled , Disabled in Sleep|Enabled",
          "w1 10..9 = #; w1 15..14: 00")
        .Column(2),
    Radio("RG46_BorVolts", "Brown-out Reset", "Set to 2.7V|Set to 1.9V", "w2 10 = #; w2 15..14: 00")
        .Column(2),
};
constexpr VariantRow kPage46Variants[] = {
    Vary("RG46_BorVolts", All({k1509, VccMaxIs(360)})).Items("Set To 2.7V|Set To 1.9V"),
    Vary("RG46_BorVolts", k1509).Items("Set To 2.7V|Set To 2.45V"),
    Vary("RG46_BorVolts", k1459).Items("High Trip Point|Low Trip Point"),
};

// The voltage regulator's capacitor pin: the 5 V parts of 46, 47 and 50
// (the 16F182x, 48, have none); the 16F1459 has its CPU clock divider there.
constexpr When kVcapParts =
    All({VccMaxAbove(400), Not(ConfigTypeIs(kConfigType16F182x)), kNot1509});
constexpr When kVcapShown = Any({k1459, Nested(kVcapParts)});
constexpr ControlRow kPage46A[] = {
    Radio("RG46_Cp", " Code Protection ", "All memory protected|Protection off", "w1 7 = #"),
    Radio("RG46_Mwp", "Memery Write Protection", "0x000 to 0xFFF|0x000 to 0x7FF|0x000 to 0x0FF|Off",
          "w2 1..0 = #"),
    Radio("RG46_Wdt", "Watchdog Timer",
          "Disabled|Controlled by SBOREN bit|Enabled , Disabled in Sleep|Enabled", "w1 4..3 = #")
        .Column(1),
    Radio("RG46_Vcap", "Voltage Regulator Capacitor",
          "Enabled on RA0|Enabled on RA5|Enabled on RA6|All pin functions Disabled", "w2 5..4 = #")
        .Visible(kVcapShown)
        .Enabled(kVcapShown)
        .Column(1),
    Group("GB46A_Other", "Other Hardware Options ").Column(2),
    Check("CB46_Debug", "DEBUG Disabled", "w2 12 = #; w2 15..14: 00").In("GB46A_Other"),
    Check("CB46_Lvp", "LV Programming Enabled", "w2 13 = #; w2 15..14: 00").In("GB46A_Other"),
    Check("CB46_Stvren", "STVR Enabled", "w2 9 = #; w2 15..14: 00").In("GB46A_Other"),
    Check("CB46_Pll", "4 x PLL Enabled", "w2 8 = #; w2 15..14: 00")
        .Visible(kNot1509)
        .In("GB46A_Other"),
    Check("CB46_LPBOR", "Low-Power BOR disabled", "w2 11 = #; w2 15..14: 00")
        .Visible(k1459)
        .In("GB46A_Other"),
    Radio("RG46_USBLSCLK", " USB Low-Speed Clock", "USB Clock divide by 4|USB Clock divide by 8",
          "w2 6 = #")
        .Visible(k1459)
        .Column(2),
    Radio("RG46_PLLMULT", " PLL Multiplier", "4x PLL Output Frequency|3x PLL Output Frequency",
          "w2 7 = #")
        .Visible(k1459)
        .Column(2),
};
constexpr VariantRow kPage46AVariants[] = {
    Vary("RG46_Mwp", LastAddrIs(0x7FFF))
        .Items("0x000 to 0x3FFF Words|0x000 to 0x1FFF Words|0x000 to 0x1FF Words|Off"),
    Vary("RG46_Mwp", LastAddrIs(0x3FFF))
        .Items("0x000 to 0x1FFF Words|0x000 to 0xFFF Words|0x000 to 0x1FF Words|Off"),
    Vary("RG46_Mwp", LastAddrIs(8191))
        .Items("0x000 to 0xFFF Words|0x000 to 0x7FF Words|0x000 to 0x1FF Words|Off"),
    Vary("RG46_Mwp", LastAddrIs(4095))
        .Items("0x000 to 0x7FF Words|0x000 to 0x3FF Words|0x000 to 0x1FF Words|Off"),
    Vary("RG46_Mwp", ConfigTypeIs(kConfigType16F182x))
        .Bits("w2 1..0 = #; w2 7..5: 000; w2 3..2: 00"),
    Vary("RG46_Vcap", k1459)
        .Caption("CPU System Clock")
        .Items("No CPU system clock divide|CPU system clock divided by 2|"
               "CPU system clock divided by 3|CPU system clock divided by 6"),
    Vary("CB46_Pll", k1459).Caption("PLL Enabled"),
};

constexpr PageRow kPages46[] = {
    {"Page46", nullptr, kPage46, kPage46Variants, kTwoWords},
    {"Page46A", "Page2", kPage46A, kPage46AVariants, kTwoWords, false},
};

constexpr std::uint8_t kSet46[] = {kConfigType16F193x, kConfigType16LF193x, kConfigType16F182x,
                                   kConfigType16F1459, kConfigType16F1509};

constexpr PageSet kSets[] = {{Dialog::Pic, kSet46, kPages46}};

}  // namespace

std::span<const PageSet> PicEnhancedPageSets() {
    return kSets;
}

}  // namespace karvo::config
