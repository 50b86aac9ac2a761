#include "catalogue/DeviceRecord.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace karvo {

std::uint16_t DeviceRecord::U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
}

std::uint32_t DeviceRecord::U32(std::size_t offset) const {
    return static_cast<std::uint32_t>(bytes_[offset]) |
           (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
}

float DeviceRecord::Float(std::size_t offset) const {
    return std::bit_cast<float>(U32(offset));
}

std::string DeviceRecord::Text(std::size_t offset, std::size_t size) const {
    const auto* begin = bytes_.data() + offset;
    const auto* end = std::find(begin, begin + size, 0);
    return std::string(begin, end);
}

void DeviceRecord::SetU16(std::size_t offset, std::uint16_t v) {
    bytes_[offset] = static_cast<std::uint8_t>(v);
    bytes_[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

void DeviceRecord::SetU32(std::size_t offset, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void DeviceRecord::SetFloat(std::size_t offset, float v) {
    SetU32(offset, std::bit_cast<std::uint32_t>(v));
}

void DeviceRecord::SetText(std::size_t offset, std::size_t size, const std::string& text) {
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), size, 0);
    std::memcpy(bytes_.data() + offset, text.data(), std::min(text.size(), size - 1));
}

}  // namespace karvo
