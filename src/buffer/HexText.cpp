#include "buffer/HexText.h"

namespace karvo {

std::string ConversionErrorText(const std::string& text) {
    return "''" + text + "'' is not a valid integer value";
}

namespace hex_detail {
void ThrowByteConversion(std::uint8_t high, std::uint8_t low) {
    std::string text = "0x";
    text += static_cast<char>(high);
    text += static_cast<char>(low);
    throw HexConversionError(text);
}
}  // namespace hex_detail

std::optional<std::uint32_t> ParseTypedHex(const std::string& text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : text) {
        const int digit = hex_detail::kDigit[static_cast<std::uint8_t>(c)];
        if (digit < 0) return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

}  // namespace karvo
