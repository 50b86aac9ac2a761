#include "buffer/AreaCrc.h"

#include <algorithm>

#include <fmt/format.h>
#include <zlib.h>

namespace karvo {

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most a uInt at a time.
    constexpr std::size_t kStep = 1u << 30;
    for (std::size_t done = 0; done < count; done += kStep) {
        crc = crc32(crc, bytes + done, static_cast<uInt>(std::min(kStep, count - done)));
    }
    return static_cast<std::uint32_t>(crc);
}

std::optional<AreaCrc> DeviceAreaCrc32(const MemoryBuffer& buffer) {
    const std::uint32_t count = buffer.ChecksumCount;
    if (count == 0 || count > buffer.Allocated || buffer.Data() == nullptr) return std::nullopt;
    return AreaCrc{0, count - 1, Crc32(buffer.Data(), count)};
}

std::string Crc32Hint(const AreaCrc& area) {
    return fmt::format("CRC-32 of 0x{:05X} - 0x{:05X}: {:08X}", area.first, area.last, area.crc);
}

}  // namespace karvo
