#include "buffer/formats/HexRecords.h"

namespace karvo {

std::uint8_t SkipRecordBytes(FileInput& in, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum = static_cast<std::uint8_t>(sum + ReadHexByte(in));
    return sum;
}

void WriteHexRecord(FileOutput& out, std::uint8_t lengthField, std::uint16_t address,
                    std::uint8_t type, const std::uint8_t* data, std::size_t count,
                    std::string_view lineEnd) {
    auto sum = static_cast<std::uint8_t>(lengthField + (address >> 8) + (address & 0xFF) + type);
    out.Put(':');
    WriteHexByte(out, lengthField);
    WriteHexByte(out, static_cast<std::uint8_t>(address >> 8));
    WriteHexByte(out, static_cast<std::uint8_t>(address & 0xFF));
    WriteHexByte(out, type);
    for (std::size_t i = 0; i < count; ++i) {
        WriteHexByte(out, data[i]);
        sum = static_cast<std::uint8_t>(sum + data[i]);
    }
    WriteHexByte(out, static_cast<std::uint8_t>(-sum));
    out.Write(lineEnd);
}

void WriteHexAddressRecord(FileOutput& out, std::uint8_t type, std::uint16_t value,
                           std::string_view lineEnd) {
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value >> 8),
                                  static_cast<std::uint8_t>(value & 0xFF)};
    WriteHexRecord(out, 2, 0, type, bytes, 2, lineEnd);
}

}  // namespace karvo
