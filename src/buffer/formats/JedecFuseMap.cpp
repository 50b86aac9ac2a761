#include "buffer/formats/JedecFuseMap.h"

namespace karvo {

std::optional<JedecFuseMap> JedecFuseMapFor(const DeviceRecord& device) {
    const std::uint8_t a = device.Algorithm();
    if (device.Family() != Family::Logic || a >= algorithm::kFuseMapLayouts.size()) {
        return std::nullopt;
    }
    const algorithm::FuseMapLayout& layout = algorithm::kFuseMapLayouts[a];
    if (algorithm::kFuseMapSizes[a].fuses == 0 || layout.RowFuses() == 0) return std::nullopt;
    return JedecFuseMap{algorithm::kFuseMapSizes[a].fuses, algorithm::kFuseMapSizes[a].pins,
                        layout};
}

std::uint32_t FuseChecksum(const std::uint8_t* fuses, std::uint32_t count) {
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (FuseIsSet(fuses[i])) sum += 1u << (i % 8);
    }
    return sum;
}

const char* JedecRefusal(const DeviceRecord& device) {
    if (JedecFuseMapFor(device)) return nullptr;
    return "No fuse map is known for this device, so its JEDEC files can be neither read nor "
           "written.";
}

}  // namespace karvo
