#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "buffer/FileInput.h"

namespace karvo {

// The message of text that was to be a hexadecimal number and is not; `text`
// is what was converted ("0x" and two characters of a file, or "$" and what
// the user typed).
std::string ConversionErrorText(const std::string& text);

// Hexadecimal text that is not a number. It ends the command it occurs in and
// the user is shown ConversionErrorText(text).
class HexConversionError : public std::runtime_error {
  public:
    explicit HexConversionError(const std::string& text)
        : std::runtime_error(ConversionErrorText(text)) {}
};

namespace hex_detail {
// Digit value of every character, -1 for those that are not hexadecimal.
constexpr std::array<std::int8_t, 256> MakeDigitTable() {
    std::array<std::int8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = c >= '0' && c <= '9'   ? static_cast<std::int8_t>(c - '0')
                   : c >= 'A' && c <= 'F' ? static_cast<std::int8_t>(c - 'A' + 10)
                   : c >= 'a' && c <= 'f' ? static_cast<std::int8_t>(c - 'a' + 10)
                                          : std::int8_t{-1};
    }
    return table;
}
inline constexpr std::array<std::int8_t, 256> kDigit = MakeDigitTable();
inline constexpr char kUpperDigits[] = "0123456789ABCDEF";

[[noreturn]] void ThrowByteConversion(std::uint8_t high, std::uint8_t low);
}  // namespace hex_detail

// Two characters of a file as one byte (either letter case). The end of the
// file inside them throws FileEndedInRecord; characters that are not
// hexadecimal digits throw HexConversionError.
inline std::uint8_t ReadHexByte(FileInput& in) {
    const std::uint8_t high = in.GetInRecord();
    const std::uint8_t low = in.GetInRecord();
    const int h = hex_detail::kDigit[high];
    const int l = hex_detail::kDigit[low];
    if ((h | l) < 0) hex_detail::ThrowByteConversion(high, low);
    return static_cast<std::uint8_t>((h << 4) | l);
}

struct HexWord {
    std::uint8_t high = 0;
    std::uint8_t low = 0;
    std::uint16_t Value() const { return static_cast<std::uint16_t>((high << 8) | low); }
};

// Two bytes, the high one first.
inline HexWord ReadHexWord(FileInput& in) {
    HexWord word;
    word.high = ReadHexByte(in);
    word.low = ReadHexByte(in);
    return word;
}

// Typed hexadecimal text (no prefix, at most eight digits), as the boxes of the
// dialogs take it; nullopt when it is not a number.
std::optional<std::uint32_t> ParseTypedHex(const std::string& text);

}  // namespace karvo
