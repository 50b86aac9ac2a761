// The configuration pages of the 12-bit and 14-bit cores: one or two
// configuration words at 0x400E (w1) and 0x4010 (w2). Columns: 0 the
// oscillator, 1 the switches, 2 the protection groups.
#include "catalogue/ChipFacts.h"
#include "config/pages/PageTables.h"

namespace karvo::config {
namespace {

constexpr LabelRow kOneWord[] = {{"Label13", 0, ""}, {"Label14", 1, ""}};
constexpr LabelRow kTwoWords[] = {
    {"Label13", 0, ""}, {"Label14", 1, ""}, {"Label15", 2, ""}, {"Label16", 3, ""}};

constexpr std::string_view kOsc4 = "LP|XT|HS|RC";
constexpr std::string_view kProt2 = "All memory protected|Protection off";
constexpr std::string_view kProt4 =
    "All memory protected|Upper 3/4 memory protected|Upper 1/2 memory protected|Protection off";

// ConfigType 0: 16C52.
constexpr ControlRow kPage0[] = {
    Radio("RG0_Osc", " Oscillator ", "XT|RC", "w1 1 = #"),
    Radio("RG0_Prot", " Code Protection ", kProt2, "w1 3 = #").Column(1),
};

// ConfigType 1: 16C61, 16C71, 16C84. Their power-up timer is enabled by a 1.
constexpr ControlRow kPage1[] = {
    Radio("RG1_Osc", " Oscillator ", kOsc4, "w1 1..0 = #"),
    Check("CB1_Pwt", "Power-Up Timer  enabled", "w1 3 = #").Column(1),
    Check("CB1_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #").Column(1),
    Radio("RG1_Prot", " Code Protection ", kProt2, "w1 4 = #").Column(1),
};

// ConfigType 2: 16C62, 16C64, 16C65, 16C73, 16C74.
constexpr ControlRow kPage2[] = {
    Radio("RG2_Osc", " Oscillator ", kOsc4, "w1 1..0 = #"),
    Check("CB2_Pwt", "Power-Up Timer  enabled", "w1 3 = #").Column(1),
    Check("CB2_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #").Column(1),
    Radio("RG2_Prot", " Code Protection ", kProt4, "w1 5..4 = #").Column(1),
};

// ConfigType 3: 16C62A/B ... 16C77, 16C62x. Code protection is repeated in
// bits 13..8 and 5..4; the group fits the size. Bit 7 is not implemented.
constexpr ControlRow kPage3[] = {
    Radio("RG3_Prot2k", " Code Protection ",
          "All protected|upper 3/4 protected|upper 1/2 protected|Protection off",
          "w1 13..8: 000000 010101 101010 111111; w1 15..14: 00; w1 5..4 = #")
        .Opening("w1 5..4")
        .Visible(LastAddrAbove(4094))
        .Column(2),
    Check("CB3_Pwt", "Power-Up Timer  disabled", "w1 3 = #").Column(1),
    Check("CB3_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #").Column(1),
    Check("CB3_Bod", "Brown Out Enabled", "w1 6 = #").Column(1),
    Radio("RG3_Osc", " Oscillator ", kOsc4, "w1 1..0 = #"),
    Radio("RG3_Prot1k", " Code Protection ",
          "000 - 3FF protected|200 - 3FF protected|Protection off",
          "w1 13..8: 000000 010101 111111; w1 15..14: 00; w1 5..4: 00 01 11")
        .Opening("w1 5..4")
        .Visible(LastAddrIs(2047))
        .Column(2),
    Radio("RG3_Prot05k", " Code Protection ", kProt2,
          "w1 13..8: 000000 111111; w1 15..14: 00; w1 5..4: 00 11")
        .Opening("w1 4")
        .Visible(LastAddrIs(1023))
        .Column(2),
};

// ConfigType 4: 16F737, 16F747, 16F767, 16F777 (two words).
constexpr ControlRow kPage4[] = {
    Check("CB4_Pwt", "PWRT Disabled", "w1 3 = #").Column(1),
    Check("CB4_Wdt", "WDT Enabled", "w1 2 = #").Column(1),
    Check("CB4_Mcl", "MCLR Enabled", "w1 5 = #").Column(1),
    Check("CB4_Ieso", "IESO Enabled", "w2 1 = #").Column(1),
    Check("CB4_Fcmen", "FCMEN Enabled", "w2 0 = #").Column(1),
    Radio("RG4_Bor", " Brown-Out Reset Enable ",
          "BOR disabled|BOR controlled by s/w SBOREN|BOR enabled , disabled during SLEEP|"
          "BOR enabled",
          "w1 6: 0 0 1 1; w2 6: 0 1 0 1"),
    Radio("RG4_Borv", " Brown-out Voltage ", "4.5V|4.2V|2.7V|2.0V",
          "w1 8: 0 0 1 1; w1 15..14: 00; w1 7: 0 1 0 1")
        .Column(2),
};
constexpr ControlRow kPage4A[] = {
    Radio("RG4_Osc", " Oscillator ",
          "LP|XT|HS|EXTCLK + RA6|INTRC + RA6 + RA7|INTRC + CLKout  + RA7|EXTRC + RA6|"
          "EXTRC + CLKout on OSC2",
          "w1 4..0: 0--00 0--01 0--10 0--11 1--00 1--01 1--10 1--11"),
    Radio("RG4_Prot", " Code Protection ", kProt2, "w1 13 = #; w1 15..14: 00").Column(1),
    Radio("RG4_Mux", " CCP1 Mux ", "CCP1 on RB3|CCP1 on RC1", "w1 12 = #; w1 15..14: 00").Column(1),
};

// ConfigType 5: 10F200 ... 10F222. The 10F22x ("10F22" + digit) add the
// oscillator speed and MCPU; bits 7..5 are not implemented.
constexpr When k10F22x = DevNameCharIs(4, '2');
constexpr ControlRow kPage5[] = {
    Radio("RG5_Cp", " Code Protection ", kProt2, "w1 3 = #").Column(1),
    Check("CB5_Mcl", "MCLR", "w1 4 = #; w1 7..5: 000"),
    Check("CB5_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #; w1 7..5: 000"),
    Check("CB5_Mcpu", "MCPU disabled", "w1 1 = #; w1 7..5: 000").Visible(k10F22x),
    Radio("RG5_Iofs", " Internal Oscillator Frequency ", "4 MHz|8 MHz", "w1 0 = #; w1 7..5: 000")
        .Visible(k10F22x)
        .Column(1),
};
constexpr VariantRow kPage5Variants[] = {
    Vary("CB5_Mcl", Checked()).Caption("MCLR"),
    Vary("CB5_Mcl", k10F22x).Caption("RB3"),
    Vary("CB5_Mcl", Always()).Caption("GP3"),
};

// ConfigType 6: 12C671, 12C672 (GP pins, internal RC).
constexpr ControlRow kPage6[] = {
    Check("CB6_Pwt", "Power-Up Timer  disabled", "w1 4 = #").Column(1),
    Check("CB6_Wdt", "Watch-Dog Timer enabled ", "w1 3 = #").Column(1),
    Check("CB6_Mcl", "GP3 = IO", "w1 7 = #").Column(1),
    Radio("RG6_Osc", " Oscillator ",
          "LP|XT|HS|--  invalid  --|INTRC + GP4|INTRC + CLKout|EXTRC + GP4|EXTRC + CLKout",
          "w1 2..0 = #"),
    Radio("RG6_Cp", " Code Protection ", kProt4,
          "w1 13..8: 000000 010101 101010 111111; w1 15..14: 00; w1 6..5 = #")
        .Column(2),
};
constexpr VariantRow kPage6Variants[] = {
    Vary("CB6_Mcl", Checked()).Caption("MCLR"),
    Vary("CB6_Mcl", Always()).Caption("GP3"),
};

// ConfigType 7: 14000. Protection of program memory is CPU (bits 12, 9, 5)
// and CPP (bits 11, 10, 4); of the calibration space CPC (bits 13, 8, 7).
constexpr ControlRow kPage7[] = {
    Radio("RG7_Prot", " Code Protection ", kProt2,
          "w1 12..9: 0000 1111; w1 15..14: 00; w1 5..4: 00 11")
        .Column(2),
    Radio("RG7_Osc", " Oscillator ", "HS|INTERNAL", "w1 0 = #"),
    Check("CB7_Pwt", "Power-Up Timer  disabled", "w1 3 = #").Column(1),
    Check("CB7_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #").Column(1),
    Check("CB7_Cpc", "Calibration Space Protected", "w1 13: 1 0; w1 8: 1 0; w1 7: 1 0").Column(1),
};

// ConfigType 8: 16C710, 16C711.
constexpr ControlRow kPage8[] = {
    Check("CB8_Pwt", "Power-Up Timer  disabled", "w1 3 = #").Column(1),
    Check("CB8_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #").Column(1),
    Check("CB8_Bod", "Brown Out Enabled", "w1 6 = #").Column(1),
    Radio("RG8_Osc", " Oscillator ", kOsc4, "w1 1..0 = #"),
    Radio("RG8_Prot", " Code Protection ", kProt2,
          "w1 13..8: 000000 111111; w1 15..14: 00; w1 7..4: 0-00 1-11")
        .Column(2),
};

// ConfigType 9: 16F83, 16F84, 16F84A: code protection in bits 13..4.
constexpr ControlRow kPage9[] = {
    Check("CB9_Pwt", "Power-up timer  disabled", "w1 3 = #").Column(1),
    Check("CB9_Wdt", "Watch-dog timer enabled ", "w1 2 = #").Column(1),
    Radio("RG9_Osc", " Oscillator ", kOsc4, "w1 1..0 = #"),
    Radio("RG9_Prot", " Code Protection ", kProt2,
          "w1 13..8: 000000 111111; w1 15..14: 00; w1 7..4: 0000 1111")
        .Column(1),
};

// ConfigType 10: 16F882 ... 16F887 (two words; brown-out at 2.1 V or 4.0 V).
constexpr ControlRow kPage10[] = {
    Radio("RG10_Osc", " Oscillator ",
          "LP|XT|HS|EC + RA6 + CLKIN|INTRC + RA6 + RA7|INTRC + CLKOUT + RA7|EXTRC on RA7 + RA6|"
          "EXTRC on RA7 + CLKOUT",
          "w1 2..0 = #"),
    Check("CB10_Debug", "DEBUG Disabled", "w1 13 = #; w1 15..14: 00").Column(1),
    Check("CB10_Lvp", "LV Programming Enabled", "w1 12 = #; w1 15..14: 00").Column(1),
    Check("CB10_Fcmen", "FCMEN Enabled", "w1 11 = #; w1 15..14: 00").Column(1),
    Check("CB10_EEPro", "Data Memory Protection Off", "w1 7 = #").Column(1),
    Check("CB10_Ieso", "IESO Enabled", "w1 10 = #; w1 15..14: 00").Column(1),
    Check("CB10_Mclr", "MCLR Enabled", "w1 5 = #").Column(1),
    Check("CB10_Pwrt", "PWRT Disabled", "w1 4 = #").Column(1),
    Check("CB10_Wdt", "WDT Enabled", "w1 3 = #").Column(1),
    Radio("RG10_BorVolts", "Brown-out Reset", "BOR set to 2.1V|BOR set to 4.0V",
          "w2 8 = #; w2 15..11: 00000")
        .Column(2),
    Radio("RG10_Borbits", "Brown-out Reset",
          "BOR Disabled|BOR Controlled by SBOREN bit|BOR Enabled,Disabled in Sleep|BOR Enabled",
          "w1 9..8 = #; w1 15..14: 00")
        .Column(2),
};
constexpr ControlRow kPage10A[] = {
    Radio("RG10_Mwp", "Memery Write Protection", "0x000 to 0xFFF|0x000 to 0x7FF|0x000 to 0x0FF|Off",
          "w2 10..9 = #; w2 15..11: 00000"),
    Radio("RG10_Cp", " Code Protection ", kProt2, "w1 6 = #").Column(1),
};
// The write-protected ranges follow the size: 8K, 4K and 2K words. A 2K
// part has no third range, so its three items write 00, 01 and 11.
constexpr VariantRow kPage10AVariants[] = {
    Vary("RG10_Mwp", LastAddrBelow(4097))
        .Items("0x000 to 0x3FF|0x000 to 0x0FF|Off")
        .Bits("w2 10..9: 00 01 11; w2 15..11: 00000")
        .Opening("w2 10..9 -> 0 1 - 2"),
    Vary("RG10_Mwp", LastAddrBelow(8193)).Items("0x000 to 0x7FF|0x000 to 0x3FF|0x000 to 0x0FF|Off"),
};

// ConfigType 12: 16C554, 16C556, 16C558. Every write keeps the word inside
// the part's mask.
constexpr ControlRow kPage12[] = {
    Check("CB12_Pwt", "Power-up timer  disabled", "w1 3 = #; mask").Column(1),
    Check("CB12_Wdt", "Watch-dog timer enabled ", "w1 2 = #; mask").Column(1),
    Radio("RG12_Osc", " Oscillator ", kOsc4, "w1 1..0 = #; mask"),
    Radio("RG12_Prot2k", " Code Protection ", kProt4,
          "w1 15..8: 00000000 00010101 00101010 00111111; w1 7..4: 0000 1001 1010 --11; mask")
        .Opening("w1 5..4")
        .Visible(LastAddrIs(4095))
        .Column(2),
    Radio("RG12_Prot1k", " Code Protection ",
          "All memory protected|Upper 1/2 memory protected|Protection off",
          "w1 15..8: 00000000 00010101 00111111; w1 7..4: 0000 1001 --11; mask")
        .Opening("w1 5..4")
        .Visible(LastAddrIs(2047))
        .Column(2),
    Radio("RG12_Prot05k", " Code Protection ", kProt2,
          "w1 15..8: 00000000 00111111; w1 7..4: 0000 --11; mask")
        .Opening("w1 4")
        .Visible(LastAddrIs(1023))
        .Column(2),
};

// ConfigType 15: 12C508(A), 12C509(A), 12F508, 12F509, 12F510. The 12C5xx
// (Algorithm 6) repeat the protection in bits 7..5 on other revisions; the
// mask keeps what the part has. The oscillator speed is offered where the
// part implements it (bit 5, 12F510).
constexpr ControlRow kPage15[] = {
    Radio("RG15_Osc", " Oscillator ", "LP|XT|INTRC|EXTRC", "w1 1..0 = #"),
    Check("CB15_Wdt", "WDT Enabled", "w1 2 = #").Column(1),
    Check("CB15_Mclr", "MCLR pin Enabled", "w1 4 = #").Column(1),
    Radio("RG15_Prot", " Code Protection ", kProt2,
          "w1 15..12: 0000; w1 11..8: 1111; w1 3 = #; mask")
        .Opening("w1 3")
        .Column(2),
    Radio("RG15_Iofs", " Internal Oscillator Frequency", "4 MHz INTOSC |8 MHz INTOSC", "w1 5 = #")
        .Visible(MaskHas(1, 0x20))
        .Column(2),
};
constexpr VariantRow kPage15Variants[] = {
    Vary("RG15_Prot", AlgorithmIs(pic::kAlgorithm12C508))
        .Bits("w1 15..12: 0000; w1 11..8: 0000 1111; w1 7..5: 000 111; w1 3 = #; mask"),
};

// ConfigType 16: 12F683, 16F684, 16F688, 16F690, 16F913 ... 16F946.
constexpr ControlRow kPage16[] = {
    Radio("RG16_Osc", " Oscillator ",
          "LP|XT|HS|EC + RA4 + OSC1|INTRC + RA4 + RA5|INTRC + OSC2 + RA5|EXTRC on RA5 + RA4|"
          "EXTRC on RA5 + OSC2",
          "w1 2..0 = #"),
    Check("CB16_Pwt", "Power-Up Timer disabled", "w1 4 = #").Column(1),
    Check("CB16_Wdt", "Watch-Dog Timer enabled ", "w1 3 = #").Column(1),
    Check("CB16_Mcl", "MCLR pin enabled", "w1 5 = #").Column(1),
    Check("CB16_Ieso", "IESO enabled", "w1 10 = #; w1 15..14: 00").Column(1),
    Check("CB16_Fcmen", "FCMEN enabled", "w1 11 = #; w1 15..14: 00").Column(1),
    Check("CB16_Wur", "Wake-Up Reset disabled", "w1 12 = #; w1 15..14: 00")
        .Visible(MaskHas(0, 0x10))
        .Column(1),
    Radio("RG16_CProt", " Code Protection ", "Protected|Protection Off", "w1 6 = #").Column(2),
    Radio("RG16_DProt", " Data Protection ", "Protected|Protection Off", "w1 7 = #").Column(2),
    Radio(
        "RG16_Bod", " Brown-Out-Detect ",
        "BOD && SBOD disabled|BOD controlled by SBOD|BOD enabled while running|BOD always enabled",
        "w1 9..8 = #; w1 15..14: 00")
        .Column(2),
};
constexpr VariantRow kPage16Variants[] = {
    Vary("CB16_Wur", DevNameStartsWith("16F9")).Caption("DEBUG disabled"),
};

// ConfigType 17: 16C642, 16C662, 16C715: oscillator bits 1..0, watchdog 2,
// power-up timer 3, brown-out 6, parity 7, protection 13..8 and 5..4.
constexpr ControlRow kPage17[] = {
    Radio("RG17_Osc", " Oscillator ", kOsc4, "w1 1..0 = #"),
    Check("CB17_Pwt", "Power-Up Timer  disabled", "w1 3 = #").Column(1),
    Check("CB17_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #").Column(1),
    Check("CB17_Bod", "Brown Out Enabled", "w1 6 = #").Column(1),
    Check("CB17_Mpe", "Memory Parity enabled", "w1 7 = #").Column(1),
    Radio("RG17_Prot", " Code Protection ", kProt4,
          "w1 13..8: 000000 010101 101010 111111; w1 15..14: 00; w1 5..4 = #")
        .Column(2),
};

// ConfigType 40 (16C54 ... 16F59) and 19 (16C54C, 16C56A, 16C57C, 16C58B,
// protection repeated in bits 11..3 where the mask is 0x0FFF).
constexpr When kRepeatedCp = All({ConfigTypeIs(pic::kConfigTypeRepeatedCp), MaskWordIs(0, 0x0FFF)});
constexpr ControlRow kPage40[] = {
    Radio("RG40_Osc", " Oscillator ", kOsc4, "w1 1..0 = #; w1 7..4: 0000"),
    Check("CB40_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #; w1 7..4: 0000").Column(1),
    Radio("RG40_Prot", " Code Protection ", kProt2, "w1 3 = #").Opening("w1 3").Column(1),
};
constexpr VariantRow kPage40Variants[] = {
    Vary("RG40_Osc", kRepeatedCp).Bits("w1 1..0 = #"),
    Vary("CB40_Wdt", kRepeatedCp).Bits("w1 2 = #"),
    Vary("RG40_Prot", kRepeatedCp).Bits("w1 15..8: 00000000 00001111; w1 7..3: 00000 11111"),
    Vary("RG40_Prot", ConfigTypeIs(pic::kConfigTypeRepeatedCp))
        .Bits("w1 15..8: 00000000; w1 7..3: 00000 ----1"),
};

// ConfigType 20: 16C505, 16F505. Each part shows its own oscillator list.
constexpr When k16F505 = Any({DevNameIs("PIC16F505"), DevNameIs("16F505")});
constexpr When kNot16F505 = All({Not(DevNameIs("PIC16F505")), Not(DevNameIs("16F505"))});
constexpr ControlRow kPage20[] = {
    Check("CB20_Wdt", "WDT Enabled", "w1 3 = #").Column(1),
    Check("CB20_Mclr", "MCLR Enabled", "w1 5 = #").Column(1),
    Radio("RG20_OscC", " Oscillator ",
          "LP|XT|HS|- invalid -|INTOSC + RB4|INTOSC + CLKOUT|EXTRC on OSC1 + RB4|"
          "EXTRC on OSC1 + CLKOUT",
          "w1 2..0 = #")
        .Visible(kNot16F505)
        .WithHook(RowHook::InvalidItemChoosesFirst),
    Radio("RG20_OscF", " Oscillator ",
          "LP|XT|HS|EC + RB4|INTOSC + RB4|INTOSC + CLKOUT|EXTRC on OSC1 + RB4|"
          "EXTRC on OSC1 + CLKOUT",
          "w1 2..0 = #")
        .Visible(k16F505),
    Radio("RG20_Cp", " Code Protection ", kProt2,
          "w1 15..8: 00000000 00001111; w1 7..6: 00 11; w1 4: 0 1; mask")
        .Opening("w1 4")
        .Column(2),
};

// ConfigType 21: 16F870 ... 16F877.
constexpr ControlRow kPage21[] = {
    Radio("RG21_Prot8k", " Code Protection ",
          "All memory protected|Upper 1/2 memory protected|Upper 256 Words protected|"
          "Protection off",
          "w1 13..12 = #; w1 15..14: 00; w1 5..4 = #")
        .Visible(LastAddrAbove(4095))
        .Column(2),
    Radio("RG21_Osc", " Oscillator ", kOsc4, "w1 1..0 = #"),
    Radio("RG21_Prot2k", " Program Mem Code Protection ", kProt2,
          "w1 13..12: 00 11; w1 5..4: 00 11")
        .Visible(Not(LastAddrAbove(4095)))
        .Column(2),
    Check("CB21_Pwt", "PWRT Disabled", "w1 3 = #").Column(1),
    Check("CB21_Wdt", "WDT Enabled ", "w1 2 = #").Column(1),
    Check("CB21_Bod", "BOD Enabled", "w1 6 = #").Column(1),
    Check("CB21_Debug", "DEBUG Disabled", "w1 11 = #").Column(1),
    Check("CB21_Lvp", "LV Programming Enable", "w1 7 = #").Column(1),
    Check("CB21_Cpd", "Data Memory Protection Off", "w1 8 = #").Column(1),
    Check("CB21_Fmw", "WRT Flash Mem Write Enabled", "w1 9 = #").Column(1),
};

// ConfigType 22: 16C773, 16C774. Brown-out on enables the power-up timer
// too (bit 3 = 0).
constexpr ControlRow kPage22[] = {
    Radio("RG22_Osc", " Oscillator ", kOsc4, "w1 1..0 = #; w1 7: 0"),
    Check("CB22_Pwt", "Power-Up Timer  disabled", "w1 3 = #; w1 7: 0").Column(1),
    Check("CB22_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #; w1 7: 0").Column(1),
    Check("CB22_Bor", "Brown Out Enabled", "w1 6..3: 0--- 1--0; w1 7: 0").Column(1),
    Radio("RG22_Prot", " Code Protection ", kProt4,
          "w1 13..8: 00--00 01--01 10--10 11--11; w1 15..14: 00; w1 5..4 = #")
        .Column(2),
    Radio("RG22_Bor", " Brown-out Voltage ", "4.5V|4.2V|2.7V|2.5V", "w1 11..10 = #; w1 15..14: 00")
        .Enabled(Never())
        .Column(2),
};

// ConfigType 23: 16F627, 16F628.
constexpr ControlRow kPage23[] = {
    Radio("RG23_Osc", " Oscillator ",
          "LP|XT|HS|ExtClk on OSC1|INTRC |INTRC CLKout on OSC2|ER|ER CLKout on OSC2",
          "w1 4..0: 0--00 0--01 0--10 0--11 1--00 1--01 1--10 1--11"),
    Radio("RG23_Prot2k", " Code Protection ",
          "000-7FF Protected|200-7FF Protected|400-7FF Protected|Protection Off",
          "w1 13..10: 0000 0101 1010 1111; w1 15..14: 00; w1 9: 0")
        .Opening("w1 13..12")
        .Visible(LastAddrAbove(2047))
        .Column(2),
    Radio("RG23_Prot1k", " Code Protection ", "000-3FF protected|200-3FF protected|Protection off",
          "w1 13..10: 0000 0101 1111; w1 15..14: 00; w1 9: 0")
        .Opening("w1 13..12")
        .Visible(Not(LastAddrAbove(2047)))
        .Column(2),
    Check("CB23_Pwt", "PWRT Disabled", "w1 3 = #").Column(1),
    Check("CB23_Wdt", "WDT Enabled ", "w1 2 = #").Column(1),
    Check("CB23_Bod", "BOD Enabled", "w1 6 = #").Column(1),
    Check("CB23_Mcl", "MCLR Enable", "w1 5 = #").Column(1),
    Check("CB23_Lvp", "LV Programming Enable", "w1 7 = #").Column(1),
    Check("CB23_Cpd", "Data Memory Protection Off", "w1 8 = #; w1 9: 0").Column(1),
};

// ConfigType 24: 16F73, 16F74, 16F76, 16F77.
constexpr ControlRow kPage24[] = {
    Radio("RG24_Osc", " Oscillator ", kOsc4, "w1 1..0 = #; w1 7: 0; w1 5: 0"),
    Check("CB24_Pwt", "Power-Up Timer  disabled", "w1 3 = #; w1 7: 0; w1 5: 0").Column(1),
    Check("CB24_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #; w1 7: 0; w1 5: 0").Column(1),
    Check("CB24_Bod", "Brown Out Enabled", "w1 6 = #; w1 7: 0; w1 5: 0").Column(1),
    Radio("RG24_Prot", " Program Mem Code Protection ", kProt2, "w1 4 = #; w1 7: 0; w1 5: 0")
        .Column(2),
};

// ConfigType 29: 16C745, 16C765.
constexpr ControlRow kPage29[] = {
    Check("CB29_Put", "Power-Up Timer  disabled", "w1 3 = #; w1 7..6: 00").Column(1),
    Check("CB29_Wdt", "Watch-Dog Timer enabled ", "w1 2 = #; w1 7..6: 00").Column(1),
    Radio("RG29_Prot", " Code Protection ", kProt4,
          "w1 13..8: 000000 010101 101010 111111; w1 15..14: 00; w1 5..4 = #; w1 7..6: 00")
        .Column(2),
    Radio("RG29_Osc", " Oscillator ", "HS|EC with CLK on OSC2|HS with 4K PLL|EC with 4K PLL",
          "w1 1..0 = #; w1 7..6: 00"),
};

// ConfigType 30: 16F873A ... 16F877A.
constexpr ControlRow kPage30[] = {
    Radio("RG30_Osc", " Oscillator ", kOsc4, "w1 1..0 = #; w1 5..4: 00"),
    Check("CB30_Pwt", "PWRT Disabled", "w1 3 = #; w1 5..4: 00").Column(1),
    Check("CB30_Wdt", "WDT Enabled ", "w1 2 = #; w1 5..4: 00").Column(1),
    Check("CB30_Bod", "BOD Enabled", "w1 6 = #").Column(1),
    Check("CB30_Debug", "DEBUG Disabled", "w1 11 = #; w1 15..14: 00; w1 12: 0").Column(1),
    Check("CB30_Lvp", "LV Programming Enable", "w1 7 = #").Column(1),
    Check("CB30_Cpd", "Data Memory Protection Off", "w1 8 = #; w1 15..14: 00; w1 12: 0").Column(1),
    Radio("RG30_Prot", " Program Mem Code Protection ", kProt2,
          "w1 13 = #; w1 15..14: 00; w1 12: 0")
        .Column(2),
    Radio("RG30_Wrt8k", "Program Mem Write Protection ",
          "0000 - 0FFF protected|0000 - 07FF protected|0000 - 00FF protected|"
          "Write protection off",
          "w1 10..9 = #; w1 15..14: 00; w1 12: 0")
        .Visible(LastAddrAbove(8191))
        .Column(2),
    Radio("RG30_Wrt4k", "Program Mem Write Protection ",
          "0000 - 07FF protected|0000 - 03FF protected|0000 - 00FF protected|"
          "Write protection off",
          "w1 10..9 = #; w1 15..14: 00; w1 12: 0")
        .Visible(Not(LastAddrAbove(8191)))
        .Column(2),
};

// ConfigType 31: 16F627A, 16F628A, 16F648A.
constexpr ControlRow kPage31[] = {
    Radio("RG31", " Code Protection ", kProt2, "w1 13 = #; w1 15..14: 00; w1 12..9: 0000")
        .Column(2),
    Radio("RG31_Osc", " Oscillator ",
          "LP|XT|HS|EXTCLK + RA6|INTOSC + RA6 + RA7|INTOSC + CLKOUT + RA7|RC on OSC1 + RA6|"
          "RC on OSC1 + CLKOUT",
          "w1 4..0: 0--00 0--01 0--10 0--11 1--00 1--01 1--10 1--11"),
    Check("CB31_Pwt", "PWRT Disabled", "w1 3 = #").Column(1),
    Check("CB31_Wdt", "WDT Enabled ", "w1 2 = #").Column(1),
    Check("CB31_Bod", "BOD Enabled", "w1 6 = #").Column(1),
    Check("CB31_Mcl", "MCLR Enable", "w1 5 = #").Column(1),
    Check("CB31_Lvp", "LV Programming Enable", "w1 7 = #").Column(1),
    Check("CB31_Cpd", "Data Memory Protection Off", "w1 8 = #; w1 15..14: 00; w1 12..9: 0000")
        .Column(1),
};

// ConfigType 32: 12F629, 12F675, 16F630, 16F676. Bits 13..12 hold the
// factory band-gap calibration and are left alone.
constexpr ControlRow kPage32[] = {
    Check("CB32_Pwt", "PWRT Disabled", "w1 4 = #").Column(1),
    Check("CB32_Wdt", "WDT Enabled ", "w1 3 = #").Column(1),
    Check("CB32_Bod", "BOD Enabled", "w1 6 = #").Column(1),
    Check("CB32_Mcl", "MCLR Enable", "w1 5 = #").Column(1),
    Check("CB32_Cpd", "Data Memory Protection Off", "w1 8 = #; w1 15..14: 00; w1 11..9: 000")
        .Column(1),
    Radio("RG32_Osc", " Oscillator ",
          "LP|XT|HS|EXTCLK + GP4|INTOSC + GP4 + GP5|INTOSC + CLKOUT + GP5|RC on OSC1 + GP4|"
          "RC on OSC1 + CLKOUT",
          "w1 2..0 = #"),
    Radio("RG32", " Code Protection ", kProt2, "w1 7 = #").Column(2),
};

// ConfigType 33: 16F87, 16F88 (two words).
constexpr ControlRow kPage33[] = {
    Check("CB33_Pwt", "PWRT Disabled", "w1 3 = #"),
    Check("CB33_Wdt", "WDT Enabled", "w1 2 = #"),
    Check("CB33_Bod", "BOD Enabled", "w1 6 = #"),
    Check("CB33_Lvp", "LV Programming Enabled", "w1 7 = #"),
    Check("CB33_Cpd", "Data Memory Protection Off", "w1 8 = #; w1 15..14: 00"),
    Check("CB33_Mcl", "MCLR Enabled", "w1 5 = #").Column(1),
    Check("CB33_Debug", "DEBUG Disabled", "w1 11 = #; w1 15..14: 00").Column(1),
    Check("CB33_Ieso", "IESO Enabled", "w2 1 = #; w2 7..2: 000000").Column(1),
    Check("CB33_Fcmen", "FCMEN Enabled", "w2 0 = #; w2 7..2: 000000").Column(1),
};
constexpr ControlRow kPage33A[] = {
    Radio("RG33_Osc", " Oscillator ",
          "LP|XT|HS|ExtClk on OSC1|INTRC |INTRC CLKout on OSC2|ER|ER CLKout on OSC2",
          "w1 4..0: 0--00 0--01 0--10 0--11 1--00 1--01 1--10 1--11"),
    Radio("RG33_Prot", " Program Mem Code Protection ", kProt2, "w1 13 = #; w1 15..14: 00")
        .Column(1),
    Radio("RG33_Write", " Flash Write Protection ",
          "000-FFF Protected|000-7FF Protected|000-0FF Protected|Protection Off",
          "w1 10..9 = #; w1 15..14: 00")
        .Column(1),
    Radio("RG33_Mux", " CCP1 Mux ", "CCP1 on RB3|CCP1 on RB0", "w1 12 = #; w1 15..14: 00")
        .Column(2),
};

constexpr PageRow kPages0[] = {{"Page0", nullptr, kPage0, {}, kOneWord}};
constexpr PageRow kPages1[] = {{"Page1", nullptr, kPage1, {}, kOneWord}};
constexpr PageRow kPages2[] = {{"Page2", nullptr, kPage2, {}, kOneWord}};
constexpr PageRow kPages3[] = {{"Page3", nullptr, kPage3, {}, kOneWord}};
constexpr PageRow kPages4[] = {{"Page4", nullptr, kPage4, {}, kTwoWords},
                               {"Page4A", "Page 2", kPage4A, {}, kTwoWords, false}};
constexpr PageRow kPages5[] = {{"Page5", nullptr, kPage5, kPage5Variants, kOneWord}};
constexpr PageRow kPages6[] = {{"Page6", nullptr, kPage6, kPage6Variants, kOneWord}};
constexpr PageRow kPages7[] = {{"Page7", nullptr, kPage7, {}, kOneWord}};
constexpr PageRow kPages8[] = {{"Page8", nullptr, kPage8, {}, kOneWord}};
constexpr PageRow kPages9[] = {{"Page9", nullptr, kPage9, {}, kOneWord}};
constexpr PageRow kPages10[] = {{"Page10", nullptr, kPage10, {}, kTwoWords},
                                {"Page10A", "Page2", kPage10A, kPage10AVariants, kTwoWords, false}};
constexpr PageRow kPages12[] = {{"Page12", nullptr, kPage12, {}, kOneWord}};
constexpr PageRow kPages15[] = {{"Page15", nullptr, kPage15, kPage15Variants, kOneWord}};
constexpr PageRow kPages16[] = {{"Page16", nullptr, kPage16, kPage16Variants, kOneWord}};
constexpr PageRow kPages17[] = {{"Page17", nullptr, kPage17, {}, kOneWord}};
constexpr PageRow kPages40[] = {{"Page40", nullptr, kPage40, kPage40Variants, kOneWord}};
constexpr PageRow kPages20[] = {{"Page20", nullptr, kPage20, {}, kOneWord}};
constexpr PageRow kPages21[] = {{"Page21", nullptr, kPage21, {}, kOneWord}};
constexpr PageRow kPages22[] = {{"Page22", nullptr, kPage22, {}, kOneWord}};
constexpr PageRow kPages23[] = {{"Page23", nullptr, kPage23, {}, kOneWord}};
constexpr PageRow kPages24[] = {{"Page24", nullptr, kPage24, {}, kOneWord}};
constexpr PageRow kPages29[] = {{"Page29", nullptr, kPage29, {}, kOneWord}};
constexpr PageRow kPages30[] = {{"Page30", nullptr, kPage30, {}, kOneWord}};
constexpr PageRow kPages31[] = {{"Page31", nullptr, kPage31, {}, kOneWord}};
constexpr PageRow kPages32[] = {{"Page32", nullptr, kPage32, {}, kOneWord}};
constexpr PageRow kPages33[] = {{"Page33", nullptr, kPage33, {}, kTwoWords},
                                {"Page33A", "Page 2", kPage33A, {}, kTwoWords, false}};

template <std::uint8_t... Types>
constexpr std::uint8_t kTypes[] = {Types...};

constexpr PageSet kSets[] = {
    {Dialog::Pic, kTypes<0>, kPages0},   {Dialog::Pic, kTypes<1>, kPages1},
    {Dialog::Pic, kTypes<2>, kPages2},   {Dialog::Pic, kTypes<3>, kPages3},
    {Dialog::Pic, kTypes<4>, kPages4},   {Dialog::Pic, kTypes<5>, kPages5},
    {Dialog::Pic, kTypes<6>, kPages6},   {Dialog::Pic, kTypes<7>, kPages7},
    {Dialog::Pic, kTypes<8>, kPages8},   {Dialog::Pic, kTypes<9>, kPages9},
    {Dialog::Pic, kTypes<10>, kPages10}, {Dialog::Pic, kTypes<12>, kPages12},
    {Dialog::Pic, kTypes<15>, kPages15}, {Dialog::Pic, kTypes<16>, kPages16},
    {Dialog::Pic, kTypes<17>, kPages17}, {Dialog::Pic, kTypes<19, 40>, kPages40},
    {Dialog::Pic, kTypes<20>, kPages20}, {Dialog::Pic, kTypes<21>, kPages21},
    {Dialog::Pic, kTypes<22>, kPages22}, {Dialog::Pic, kTypes<23>, kPages23},
    {Dialog::Pic, kTypes<24>, kPages24}, {Dialog::Pic, kTypes<29>, kPages29},
    {Dialog::Pic, kTypes<30>, kPages30}, {Dialog::Pic, kTypes<31>, kPages31},
    {Dialog::Pic, kTypes<32>, kPages32}, {Dialog::Pic, kTypes<33>, kPages33},
};

}  // namespace

std::span<const PageSet> PicStandardPageSets() {
    return kSets;
}

}  // namespace karvo::config
