#include <algorithm>
#include <cctype>

#include <fmt/format.h>

#include "link/HidTransport.h"

namespace karvo {

namespace {
std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}
}  // namespace

std::string HardwareId(const HidDeviceInfo& info) {
    return fmt::format("HID\\VID_{:04X}&PID_{:04X}&REV_{:04X}", info.vendorId, info.productId,
                       info.release);
}

bool HardwareIdMatches(const std::string& hardwareId, const std::string& vendorText,
                       const std::string& productText) {
    const std::string search = Upper(vendorText + "&" + productText);
    return Upper(hardwareId).find(search) != std::string::npos;
}

}  // namespace karvo
