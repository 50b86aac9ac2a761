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
// PIC18: ID, configuration and data areas from buffer 0xF0000.
inline constexpr std::uint8_t kAlgorithmPic18 = 18;
inline constexpr std::uint8_t kLastAlgorithm = kAlgorithmPic18;

// Enhanced mid-range parts (ConfigType 46 .. 50) keep ID, configuration and
// data from buffer 0x10000.
inline constexpr std::uint8_t kFirstEnhancedConfigType = 46;
inline constexpr std::uint8_t kLastConfigType = 50;
}  // namespace pic

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

constexpr bool IsSerialPage(std::uint8_t configType) {
    return configType >= kFirstSerial && configType <= kLastSerial;
}
constexpr bool IsMicroPage(std::uint8_t configType) {
    return configType >= kFirstMicro && configType <= kLastMicro;
}
}  // namespace pages

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
