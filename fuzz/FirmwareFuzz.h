#pragma once
// What the firmware fuzzers share: a bootloader's query reply made from the
// input's first bytes, and the checks every accepted layout must pass.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "firmware/DeviceData.h"

namespace karvo::fuzz {

// Keeps the fuzzer fast: larger layouts are valid but only cost time.
inline constexpr std::uint64_t kMostFuzzBytes = 1u << 20;

inline BootReply ReplyFrom(const std::uint8_t* data, std::size_t size, std::uint8_t command) {
    BootReply reply{};
    std::memcpy(reply.data(), data, std::min<std::size_t>(size, 64));
    reply[0] = command;
    reply[64] = 0;
    return reply;
}

inline std::uint64_t TotalBytes(const Device& device) {
    std::uint64_t total = 0;
    for (const MemoryRange& range : device.regions.ranges) total += range.bufferLength;
    return total;
}

// An accepted layout can be written: every region a proper range, no buffer
// beyond the limit, a payload a packet can carry.
inline void CheckAccepted(const Device& device) {
    if (device.payloadSize < 1 || device.payloadSize > kMostPayload) std::abort();
    for (const MemoryRange& range : device.regions.ranges) {
        if (range.end < range.start || range.bufferLength > kMostRegionBytes) std::abort();
        if (std::uint64_t{range.end - range.start} *
                static_cast<unsigned>(device.BytesPerAddress(range.type)) !=
            range.bufferLength) {
            std::abort();
        }
    }
    if (device.family == 1 && device.extended.supported) {
        const std::uint32_t page = device.extended.erasePageSize;
        if (page == 0 || page > kMostErasePage) std::abort();
    }
}

}  // namespace karvo::fuzz
