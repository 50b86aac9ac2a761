#pragma once
#include <cstdint>

namespace karvo {

// The two device data files and their bits in DeviceFilesPresent.
inline constexpr const char* kEpromFileName = "KARVO_e.usb";
inline constexpr const char* kMicroFileName = "KARVO_m.usb";
inline constexpr std::uint8_t kEpromFileBit = 0x02;
inline constexpr std::uint8_t kMicroFileBit = 0x08;

}  // namespace karvo
