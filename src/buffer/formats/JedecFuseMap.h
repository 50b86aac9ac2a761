#pragma once
#include <optional>

#include "catalogue/CatalogueAlgorithms.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

// The fuse map of a programmable-logic part: its fuse and pin counts and
// how a JEDEC file lays it out. Empty for a part whose Algorithm names no
// map, whose files can then be neither read nor written.
struct JedecFuseMap {
    std::uint32_t fuses = 0;
    std::uint32_t pins = 0;
    algorithm::FuseMapLayout layout;
};
std::optional<JedecFuseMap> JedecFuseMapFor(const DeviceRecord& device);

// The one rule for what a buffer byte means as a fuse, shared with the
// fuse checksum: anything but the character '0' is a 1.
constexpr bool FuseIsSet(std::uint8_t byte) {
    return byte != '0';
}

// The JEDEC fuse checksum: the 8-fuse bytes of the map summed, fuse 0 the
// lowest bit of the first.
std::uint32_t FuseChecksum(const std::uint8_t* fuses, std::uint32_t count);

// Why JEDEC files cannot hold the part, or nullptr.
const char* JedecRefusal(const DeviceRecord& device);

}  // namespace karvo
