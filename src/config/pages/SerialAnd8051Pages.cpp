// The pages of TfrmConfig for the serial memories' status register, the
// parallel EEPROMs' software data protection and the 8051 fuse and security
// bytes, all in ConfigBitsState.
#include "catalogue/ChipFacts.h"
#include "config/pages/PageTables.h"

namespace karvo::config {
namespace {

using namespace pages;

// ---- ConfigType 100, 101: SPI EEPROMs -------------------------------------

constexpr ControlRow kPage100[] = {
    Radio("RG100", " Block-Protect ", "None|Upper 1/4|Upper 1/2|All",
          "SpiStatus 3..2 = #; SpiStatus 6..4: 000; SpiStatus 1..0: 00"),
    Group("GB100_Wpen", " Write Protect Enable ")
        .Visible(Not(ConfigTypeIs(kSpiEepromWithoutWpen)))
        .Column(1),
    Check("CB100_Wpen", "WPEN", "SpiStatus 7 = #").In("GB100_Wpen"),
};

// ---- ConfigType 102, 103, 104: SPI flash ----------------------------------

// The block-protect ranges of the four sizes the page knows, from the top or
// from the bottom of the memory; on any other size the page is not shown.
constexpr When kBottom = ControlItemIs("RG102_TB", 1);
constexpr When kKnownSize =
    Any({LastAddrIs(0x1FFFF), LastAddrIs(0x3FFFF), LastAddrIs(0x7FFFF), LastAddrIs(0xFFFFF)});
constexpr When kNoSrp = ConfigTypeIs(kSpiFlashWithoutSrp);
constexpr ControlRow kPage102[] = {
    Radio("RG102_BP", " Block-Protect ", "None|Upper 1/2|All", "SpiStatus 4..2 = #"),
    Radio("RG102_TB", "Top/Bottom Write Protect", "Top|Bottom", "SpiStatus 5 = #")
        .Visible(Not(kNoSrp))
        .Column(1),
    Check("CB102_SRP", "Status Register Protect", "SpiStatus 7 = #").Visible(Not(kNoSrp)).Column(1),
};
constexpr VariantRow kPage102Variants[] = {
    Vary("RG102_BP", All({LastAddrIs(0x1FFFF), kBottom})).Items("None|000000h - 00FFFFh|All"),
    Vary("RG102_BP", LastAddrIs(0x1FFFF)).Items("None|010000h - 01FFFFh|All"),
    Vary("RG102_BP", All({LastAddrIs(0x3FFFF), kBottom}))
        .Items("None|000000h - 00FFFFh|000000h - 01FFFFh|All"),
    Vary("RG102_BP", LastAddrIs(0x3FFFF)).Items("None|030000h - 03FFFFh|020000h - 03FFFFh|All"),
    Vary("RG102_BP", All({LastAddrIs(0x7FFFF), kBottom}))
        .Items("None|000000h - 00FFFFh|000000h - 01FFFFh|000000h - 03FFFFh|All"),
    Vary("RG102_BP", LastAddrIs(0x7FFFF))
        .Items("None|070000h - 07FFFFh|060000h - 07FFFFh|040000h - 07FFFFh|All"),
    Vary("RG102_BP", All({LastAddrIs(0xFFFFF), kBottom}))
        .Items("None|000000h - 00FFFFh|000000h - 01FFFFh|000000h - 03FFFFh|"
               "000000h - 07FFFFh|All"),
    Vary("RG102_BP", LastAddrIs(0xFFFFF))
        .Items("None|0F0000h - 0FFFFFh|0E0000h - 0FFFFFh|0C0000h - 0FFFFFh|"
               "080000h - 0FFFFFh|All"),
};

// ---- ConfigType 130: parallel EEPROMs -------------------------------------

constexpr ControlRow kPage130[] = {
    Radio("RG130", " Software Data Protection  (Activated during Programming) ", "SDP OFF|SDP ON",
          "SdpEnable 7..0 = #")
        .Opening("SdpEnable 0"),
};

// ---- ConfigType 206: AT89S8253, AT89LP2052, AT89LP4052 ---------------------

// The AT89LP parts' unused fuse bits read 1, the AT89S8253's 0.
constexpr When kAt89Lp = AlgorithmIs(micro::kAlgorithmAt89Lp);
constexpr ControlRow kPage206[] = {
    Radio("RG206_F1", " Fuse 1 ", "Serial Prog Enabled|Serial Prog Disabled",
          "FuseLow 0 = #; FuseLow 7..4: 0000")
        .Enabled(Never()),
    Radio("RG206_F2", " Fuse 2 ", "x2 Clock Enabled|x2 Clock Disabled",
          "FuseLow 1 = #; FuseLow 7..4: 0000"),
    Radio("RG206_F3", " Fuse 3 ", "User Row Prog Enabled|User Row Prog Disabled",
          "FuseLow 2 = #; FuseLow 7..4: 0000")
        .Enabled(Never())
        .Column(1),
    Radio("RG206_F4", " Fuse 4 ", "Ext Clock Enabled|Xtal Clock Enabled",
          "FuseLow 3 = #; FuseLow 7..4: 0000")
        .Column(1),
};
constexpr VariantRow kPage206Variants[] = {
    Vary("RG206_F1", kAt89Lp).Bits("FuseLow 0 = #; FuseLow 7..4: 1111"),
    Vary("RG206_F2", kAt89Lp)
        .Items("XTAL Osc Bypass Enable|XTAL Osc Bypass Disable")
        .Bits("FuseLow 1 = #; FuseLow 7..4: 1111"),
    Vary("RG206_F3", kAt89Lp).Bits("FuseLow 2 = #; FuseLow 7..4: 1111"),
    Vary("RG206_F4", kAt89Lp)
        .Items("System Clock Out Enable|System Clock Out Disable")
        .Bits("FuseLow 3 = #; FuseLow 7..4: 1111"),
};
constexpr LabelRow kPage206Labels[] = {{"Label13", kFuseLow, "", "FuseLow"}};

// ---- ConfigType 208: 8051 parts with a security register ------------------

// Every opening starts from an all-ones security byte, so "Lock Bit" opens
// unchecked.
constexpr ClearedCell kPage208Opening[] = {{kSecurityRegister, Always(), 0xFF}};
constexpr ControlRow kPage208[] = {
    Check("P208Lock", "Lock Bit", "SecurityRegister 0: 1 0"),
    Check("P208Movin", "MOVC inhibit", "SecurityRegister 1: 1 0"),
    Check("P208S01in", "Seed 0 && 1 access inhibit", "SecurityRegister 2: 1 0")
        .Visible(Any({DevIdIs(0xE0), DevIdIs(0x62)})),
    Check("P208Osc", "Osc  Full Gain", "SecurityRegister 7 = #").Visible(DevIdIs(0xE0)),
    // Hidden, holding "FF": the OK button stores them as the seeds.
    Edit("Seed0Edit", "FF", "Seed0 7..0 = #")
        .WithHook(RowHook::StoredOnClose)
        .Visible(Never())
        .Column(1),
    Edit("Seed1Edit", "FF", "Seed1 7..0 = #")
        .WithHook(RowHook::StoredOnClose)
        .Visible(Never())
        .Column(1),
};
constexpr VariantRow kPage208Variants[] = {
    Vary("P208S01in", Always()).Caption("Encryption"),
    Vary("P208Osc", Checked()).Caption("Osc Full Gain"),
    Vary("P208Osc", Always()).Caption("Osc Half Gain"),
};
constexpr LabelRow kPage208Labels[] = {{"Label5", kSecurityRegister, "0x", "Security Register = "}};

// ---- ConfigType 212: AT89S2051, AT89S4051 ---------------------------------

// All on FuseLow, programmed (0) when checked; unchecking any sets bits 3..2.
constexpr ControlRow kPage212[] = {
    Group("GroupBox1", " Fuse / Lock Bits "),
    Check("CB212_LB1", "Lock Bit 1", "FuseLow 0: 1 0; FuseLow 3..2: 11 --").In("GroupBox1"),
    Check("CB212_LB2", "Lock Bit 2", "FuseLow 1: 1 0; FuseLow 3..2: 11 --").In("GroupBox1"),
    Check("CB212_SPIEN", "Serial Programming Enabled", "FuseLow 4: 1 0; FuseLow 3..2: 11 --")
        .In("GroupBox1"),
    Check("CB212_Clkx2", "x2 Clock Enabled", "FuseLow 5: 1 0; FuseLow 3..2: 11 --").In("GroupBox1"),
    Check("CB212_URPE", "User Row Programming Enabled", "FuseLow 6: 1 0; FuseLow 3..2: 11 --")
        .In("GroupBox1"),
    Check("CB212_OBE", "XTAL Osc Bypass Enabled", "FuseLow 7: 1 0; FuseLow 3..2: 11 --")
        .In("GroupBox1"),
};

constexpr PageRow kPages100[] = {{"Page100", nullptr, kPage100}};
constexpr PageRow kPages102[] = {{"Page102", nullptr, kPage102, kPage102Variants}};
constexpr PageRow kPages130[] = {{"Page130", nullptr, kPage130}};
constexpr PageRow kPages206[] = {{"Page206", nullptr, kPage206, kPage206Variants, kPage206Labels}};
constexpr PageRow kPages208[] = {{"Page208", "", kPage208, kPage208Variants, kPage208Labels}};
constexpr PageRow kPages212[] = {{"Page212", nullptr, kPage212}};

template <std::uint8_t... Types>
constexpr std::uint8_t kTypes[] = {Types...};

constexpr PageSet kSets[] = {
    {Dialog::Other, kTypes<kFirstSerial, kSpiEepromWithoutWpen>, kPages100},
    {Dialog::Other, kTypes<kFirstSpiFlash, 103, kSpiFlashWithoutSrp>, kPages102, {}, kKnownSize},
    {Dialog::Other, kTypes<kEepromDataProtection>, kPages130},
    {Dialog::Other, kTypes<206>, kPages206},
    {Dialog::Other, kTypes<micro::kConfigTypeSecurityRegister>, kPages208, kPage208Opening},
    {Dialog::Other, kTypes<212>, kPages212},
};

}  // namespace

std::span<const PageSet> SerialAnd8051PageSets() {
    return kSets;
}

}  // namespace karvo::config
