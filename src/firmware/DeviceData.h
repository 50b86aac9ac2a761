#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "firmware/BootloaderProtocol.h"

namespace karvo {

// One memory region the bootloader offers.
struct MemoryRange {
    std::uint8_t type = 0;  // RegionType
    std::uint32_t start = 0;
    std::uint32_t end = 0;  // one past the last address
    std::uint32_t bufferLength = 0;
    std::vector<std::uint8_t> buffer;  // 0xFF where nothing was stored
};

// The regions in the order the bootloader reported them.
struct DeviceData {
    std::vector<MemoryRange> ranges;
};

// What the query and the extended information told about the bootloader.
struct ExtendedInfo {
    bool supported = false;  // query reply byte 57 was 0xA5
    std::uint16_t bootloaderVersion = 0;
    std::uint32_t signatureAddress = 0;
    std::uint16_t signatureValue = 0;
    std::uint32_t erasePageSize = 0;
};

struct Device {
    int family = 0;
    int payloadSize = 0;
    int programBytesPerWord = 2;
    int programBytesPerAddress = 1;
    int eepromBytesPerWord = 1;
    int eepromBytesPerAddress = 1;
    int configBytesPerWord = 2;
    int configBytesPerAddress = 1;
    DeviceData regions;
    ExtendedInfo extended;

    int BytesPerAddress(std::uint8_t type) const;
};

// The largest region this program will hold in memory: far beyond any flash
// a programmer's controller has, far below what a damaged reply can claim.
inline constexpr std::uint64_t kMostRegionBytes = 16u << 20;
// The post-signing check reads one erase page.
inline constexpr std::uint32_t kMostErasePage = 8196;

// Rebuilds the device regions and the family parameters from a query reply.
// Region types other than program memory, data EEPROM and configuration are
// left out: nothing here knows how to write or compare them. No buffer is
// allocated until CheckLayout has accepted the layout (AllocateRegions).
void LoadRegions(const BootReply& query, Device& device);
// Takes the extended reply (signature and erase page).
void LoadExtendedInfo(const BootReply& extended, Device& device);
// Empty when the layout can be written safely; otherwise the reason, for
// the update window, found before anything is erased.
std::string CheckLayout(const Device& device);
// Fresh 0xFF buffers for the device regions.
void AllocateRegions(Device& device);
// Copies of the device regions with fresh 0xFF buffers.
DeviceData PrepareImageRegions(const Device& device);

// Where an image byte address lands.
struct Translation {
    std::size_t region = 0;
    // Empty for a region whose start is 0: such a region has no buffer
    // position for the image.
    std::optional<std::uint32_t> position;
};
std::optional<Translation> TranslateAddress(std::uint64_t imageAddress, const Device& device,
                                            const DeviceData& imageRegions);

enum ImportResult : int {
    kImported = 0,
    kNothingInRange = 2,
    kMalformedRecord = 3,
    kNoBufferPosition = 4,
};

// What an import stored, to judge whether the image belongs to this device.
struct ImportStats {
    std::uint64_t stored = 0;           // data bytes placed in a region buffer
    std::uint64_t storedInProgram = 0;  // of those, in program memory
    std::uint64_t outside = 0;          // data bytes no region takes
    std::uint64_t firstOutside = 0;     // the image address of the first of them
};

// Reads the stored (complemented) Intel HEX lines into the image regions.
int ImportImage(const std::vector<std::string>& storedLines, const Device& device,
                DeviceData& imageRegions, ImportStats* stats = nullptr);
// The update window's line for a failed import.
std::string ImportFailureText(int result);

}  // namespace karvo
