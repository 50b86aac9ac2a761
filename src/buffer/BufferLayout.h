#pragma once
#include <cstdint>
#include <optional>

#include "catalogue/DeviceRecord.h"

namespace karvo {

// Where a word-organised microcontroller (family 'C') keeps its areas in the
// buffer besides program memory at 0 .. LastAddr.
struct PicAreas {
    std::uint32_t idOffset = 0;      // 8 bytes of ID locations
    std::uint32_t configOffset = 0;  // configuration words
    // Data EEPROM; absent on parts whose layout has no room for it.
    std::optional<std::uint32_t> dataOffset;
    // True where each EEPROM byte sits in the low half of a big-endian word.
    bool dataAsWords = true;
};

PicAreas PicAreasFor(const DeviceRecord& device);

// Families whose buffer holds 16-bit words.
inline bool IsWordFamily(char family) {
    return family == 'C' || family == 'O' || family == 'Y';
}

}  // namespace karvo
