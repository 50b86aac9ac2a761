#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "buffer/MemoryBuffer.h"

namespace karvo {

// CRC-32 with the zlib polynomial, as build tools, zip and `crc32` print it.
std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count);

// The CRC-32 of the device's area as it lies in the buffer: offsets 0 up to
// the checksum's count (LastAddr + 1), the bytes a binary save of that range
// writes.
struct AreaCrc {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint32_t crc = 0;
};
// nullopt before a device is active (no area, or one beyond the storage).
std::optional<AreaCrc> DeviceAreaCrc32(const MemoryBuffer& buffer);

// "CRC-32 of 0x00000 - 0x07FFF: 1A2B3C4D", the checksum label's tooltip.
std::string Crc32Hint(const AreaCrc& area);

}  // namespace karvo
