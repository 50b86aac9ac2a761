#pragma once
#include <cstdint>
#include <optional>

#include "catalogue/DeviceRecord.h"

// What the program knows about chips beyond the record's plain fields: the
// Algorithm and ConfigType numbers it branches on, named, and the rules built
// on them. Every other file asks here instead of comparing numbers itself.
// (The byte-wide memories' numbers are in CatalogueAlgorithms.h.)
namespace karvo {

// Family 'C' (PIC-type) numbers.
namespace pic {
// 16C5x 12-bit EPROMs: the ID locations are programmed with the code.
inline constexpr std::uint8_t kAlgorithm16C5x = 0;
// PIC17C4x: configuration at file address 0xFE00, no ID locations.
inline constexpr std::uint8_t kAlgorithm17C4x = 3;
// PIC17C75x: configuration at buffer 0x800E, no ID locations.
inline constexpr std::uint8_t kAlgorithm17C75x = 8;
// 12C671/672: OTP with a factory calibration word last, which a blank check
// passes over.
inline constexpr std::uint8_t kAlgorithm12C67x = 5;
// 12C508A class and 12F508 class: an oscillator calibration word last, kept
// out of programming.
inline constexpr std::uint8_t kAlgorithm12C508 = 6;
inline constexpr std::uint8_t kAlgorithm12F508 = 11;
// 12F629/675 class (by their configuration page): the same for their
// oscillator calibration word.
inline constexpr std::uint8_t kConfigType12F675 = 32;
// 16F882: its INX16 files once carried the configuration at word 0xFFF.
inline constexpr std::uint8_t kAlgorithm16F882 = 10;
// PIC18: ID, configuration and data areas from buffer 0xF0000.
inline constexpr std::uint8_t kAlgorithmPic18 = 18;
inline constexpr std::uint8_t kLastAlgorithm = kAlgorithmPic18;

// Enhanced mid-range parts (ConfigType 46 .. 50) keep ID, configuration and
// data from buffer 0x10000.
inline constexpr std::uint8_t kFirstEnhancedConfigType = 46;
inline constexpr std::uint8_t kLastConfigType = 50;

// 16C5x "C" and "B" revisions: code protection repeated in bits 11..3 of a
// 12-bit word, and ID locations that keep four bits.
inline constexpr std::uint8_t kConfigTypeRepeatedCp = 19;
// 18F2331 ... 18F4431: their CONFIG3L holds the PWM options.
inline constexpr std::uint8_t kConfigType18Fxx31 = 45;
// The PIC18 page sets' variants, by the parts each ConfigType is for.
inline constexpr std::uint8_t kConfigType18F452 = 27;   // CCP2 multiplexer in CONFIG3H
inline constexpr std::uint8_t kConfigType18F458 = 28;   // no CCP2 multiplexer
inline constexpr std::uint8_t kConfigType18F4320 = 34;  // CCP2 multiplexer, PBADEN
inline constexpr std::uint8_t kConfigType18F1320 = 35;  // neither; two protection blocks
inline constexpr std::uint8_t kConfigType18F4550 = 36;  // USB oscillator list
inline constexpr std::uint8_t kConfigType18F4520 = 37;
inline constexpr std::uint8_t kConfigType18F45K50 = 38;
inline constexpr std::uint8_t kConfigType18F4580 = 41;  // one-bit boot block size at bit 4
inline constexpr std::uint8_t kConfigType18F4450 = 42;  // USB list, boot block size at bit 3
inline constexpr std::uint8_t kConfigType18F4680 = 43;  // two-bit boot block size
inline constexpr std::uint8_t kConfigType18F4685 = 44;  // six protection blocks
// The enhanced mid-range page's variants.
inline constexpr std::uint8_t kConfigType16F193x = 46;
inline constexpr std::uint8_t kConfigType16LF193x = 47;
inline constexpr std::uint8_t kConfigType16F182x = 48;
inline constexpr std::uint8_t kConfigType16F1459 = 49;  // USB clock, PLL multiplier, CPU divider
inline constexpr std::uint8_t kConfigType16F1509 = 50;
}  // namespace pic

// Which parts the configuration pages of a family 'C' ConfigType are written
// for. A page names bits of 12-bit and 14-bit words, of the enhanced
// mid-range words or of the PIC18 bytes, and only parts keeping their values
// where that page looks for them may use it.
enum class PicPageKind {
    None,      // no page: the dialog shows only the ID group
    Standard,  // 12-bit and 14-bit cores: words at 0x400E
    Enhanced,  // enhanced mid-range: words at 0x1000E
    Pic18,     // PIC18: bytes 1H .. 7L at 0xF0010
};
PicPageKind PicPageKindOf(std::uint8_t configType);
// The kind of page a part's core and layout call for (None for PIC17).
PicPageKind PicPageKindFor(const DeviceRecord& device);
// Configuration bytes the pages of a ConfigType edit, from the start of the
// configuration area (0 without a page).
std::uint8_t PicPageConfigBytes(std::uint8_t configType);

// Family 'M' (8051-type and AVR-type) numbers.
namespace micro {
// Atmel 8051 programmed serially: step 6 is "Disable WDT".
inline constexpr std::uint8_t kAlgorithmAt89Isp = 14;
// SST FlashFlex 8051: "RB0", "Clock Double" and "SC0" steps by device ID.
inline constexpr std::uint8_t kAlgorithmClassicAvr = 30;  // AT90S, ATtiny12
inline constexpr std::uint8_t kAlgorithmPageAvr = 32;     // page-programmed ATtiny, ATmega
inline constexpr std::uint8_t kAlgorithmSstFlashFlex = 25;
// 1 MB SPI flashes whose step 2 is "Protect Mode Enable".
inline constexpr std::uint8_t kAlgorithmSpiFlashAai1M = 29;
inline constexpr std::uint8_t kAlgorithmSpiFlashPage1M = 33;
// Atmel 8051 with a 32-byte user row after the code and a "Fuses" step.
inline constexpr std::uint8_t kAlgorithmUserRow = 35;
// AT89LP low-power 8051s: their user fuses read 1 where the AT89S reads 0.
inline constexpr std::uint8_t kAlgorithmAt89Lp = 34;
inline constexpr std::uint8_t kLastAlgorithm = kAlgorithmUserRow;
inline constexpr std::uint32_t kUserRowBytes = 32;

// 8051 with a security register: lock, MOVC inhibit and encryption steps.
inline constexpr std::uint8_t kConfigTypeSecurityRegister = 208;

// The SST part with a second 8 KB block at 0x10000.
inline constexpr std::uint8_t kSstManufId = 0xBF;
inline constexpr std::uint8_t kSstDualBlockDevId = 0x91;
inline constexpr std::uint32_t kSecondBlockOffset = 0x10000;
inline constexpr std::uint32_t kSecondBlockBytes = 0x2000;
}  // namespace micro

// The ConfigType numbers of the configuration pages other than the PIC ones.
namespace pages {
// Serial memories' status-register pages: block protect of SPI EEPROMs
// (100, 101) and of SPI flash (102 .. 104).
inline constexpr std::uint8_t kFirstSerial = 100;
inline constexpr std::uint8_t kLastSpiEeprom = 101;
inline constexpr std::uint8_t kFirstSpiFlash = 102;
inline constexpr std::uint8_t kLastSerial = 104;
// Software data protection of parallel EEPROMs.
inline constexpr std::uint8_t kEepromDataProtection = 130;
// AVR fuse and 8051 lock pages.
inline constexpr std::uint8_t kFirstMicro = 200;
inline constexpr std::uint8_t kLastMicro = 212;

// The serial EEPROMs without a WPEN bit, the serial flash without SRP and
// top/bottom choice.
inline constexpr std::uint8_t kSpiEepromWithoutWpen = 101;
inline constexpr std::uint8_t kSpiFlashWithoutSrp = 104;
// AVR pages whose variants go by ConfigType: Page205 for the ATmega328 (boot
// fuses in the high byte, brown-out in the extended one), Page209 for the
// ATtiny2313 (its own high byte and CKSEL list).
inline constexpr std::uint8_t kMega328Fuses = 210;
inline constexpr std::uint8_t kTiny2313Fuses = 211;

// The serial-flash page knows the block-protect ranges of four sizes only.
constexpr bool SpiFlashPageKnowsSize(std::int64_t lastAddr) {
    return lastAddr == 0x1FFFF || lastAddr == 0x3FFFF || lastAddr == 0x7FFFF || lastAddr == 0xFFFFF;
}

constexpr bool IsSerialPage(std::uint8_t configType) {
    return configType >= kFirstSerial && configType <= kLastSerial;
}
constexpr bool IsMicroPage(std::uint8_t configType) {
    return configType >= kFirstMicro && configType <= kLastMicro;
}
}  // namespace pages

// The instruction width of a family 'C' part, which decides its memory map.
enum class PicCore {
    Baseline,  // 12-bit words: 16C5x, 12C508, 12F508, 10F2xx
    Midrange,  // 14-bit words: 16C6x/7x, 16F8x, 12F6xx, the enhanced 16F1xxx
    Pic17,     // 16-bit words, configuration at word 0xFE00, no ID locations
    Pic18,     // byte-addressed program memory
};
PicCore PicCoreOf(const DeviceRecord& device);

// Where a family 'C' part's areas sit in its own address space, as byte
// addresses (twice the word address but for PIC18), which is how INH8M
// files address them and INX16 files (in words) too.
struct PicFileAreas {
    std::uint32_t id = 0;
    std::uint32_t config = 0;
    // An older place for the configuration a file may use (PIC17 files once
    // put it at byte 0xFE00, the Algorithm 10 INX16 files at word 0xFFF).
    std::optional<std::uint32_t> configOld;
    std::optional<std::uint32_t> data;
};
PicFileAreas PicFileAreasFor(const DeviceRecord& device);

// The programming steps (ProgBits bits) of the areas the part really has:
// code (bit 0) and configuration (bit 4) always, data (bit 1) and ID
// (bit 2) where the part has them.
std::uint8_t PicAreaSteps(const DeviceRecord& device);

// Program memory cells that programming can only clear (EPROM and OTP).
bool PicCellsClearOnly(const DeviceRecord& device);
// A calibration value in the last code word that Program, Verify and Blank
// leave out (Read still reads it, Erase keeps it).
bool KeepsCalibrationWord(const DeviceRecord& device);
// A factory calibration word last that only the blank check passes over.
bool BlankCheckSkipsLastWord(const DeviceRecord& device);

// Where a family 'C' part keeps its areas in the buffer besides program
// memory at 0 .. LastAddr. The one source of these offsets.
struct PicAreas {
    std::uint32_t idOffset = 0;      // 8 bytes of ID locations
    std::uint32_t configOffset = 0;  // configuration words
    // Data EEPROM; absent where the layout has no room for it.
    std::optional<std::uint32_t> dataOffset;
    // True where each EEPROM byte sits in the low half of a big-endian word.
    bool dataAsWords = true;
};
PicAreas PicAreasFor(const DeviceRecord& device);

// Family 'C' with the PIC18 layout (areas from 0xF0000).
bool IsExtendedPicLayout(const DeviceRecord& device);
// Family 'C' with the enhanced mid-range layout (areas from 0x10000).
bool IsEnhancedPicLayout(const DeviceRecord& device);
// Family 'C' parts with ID locations (all but the PIC17 algorithms).
bool HasIdLocations(const DeviceRecord& device);
// 16C5x: the ID step goes with the code step.
bool IdStepFollowsCode(const DeviceRecord& device);
// A data EEPROM the buffer holds: family 'M' with EepromSize, family 'C'
// with EepromSize and a layout that has a data area.
bool HasDataEeprom(const DeviceRecord& device);
// Bytes the data area of a family 'C' part takes in the buffer, as the
// parameter block tells the programmer: one per EEPROM byte in the PIC18
// layout, one word per byte elsewhere.
std::uint32_t PicDataAreaBytes(const DeviceRecord& device);
// Family 'M' parts with 32 bytes after the code area that loads and saves
// count as inside the device.
bool CarriesUserRow(const DeviceRecord& device);
// Family 'M' parts with a second block at 0x10000.
bool IsSstDualBlock(const DeviceRecord& device);
// Family 'M' parts whose file images carry the data EEPROM after the code.
bool LoadCoversData(const DeviceRecord& device);
bool SaveRangeCoversData(const DeviceRecord& device);

}  // namespace karvo
