#include "buffer/BufferLayout.h"

namespace karvo {

PicAreas PicAreasFor(const DeviceRecord& device) {
    const std::uint8_t algorithm = device.Algorithm();
    // The columns are decided in this order: the extended layout first, then
    // the configuration type of the enhanced parts, then the algorithm.
    if (algorithm == 18) return {0xF0000, 0xF0010, 0xF0200, false};
    if (device.ConfigType() >= 0x2E) return {0x10000, 0x1000E, 0x10200, true};
    if (algorithm == 8) return {0x4000, 0x800E, std::nullopt, true};
    switch (algorithm) {
        case 1:
        case 2:
        case 4:
        case 5:
        case 7:
        case 9:
        case 10:
            return {0x4000, 0x400E, 0x4200, true};
        default:
            return {0x4000, 0x400E, std::nullopt, true};
    }
}

}  // namespace karvo
