#include "buffer/formats/IntelHexWriter.h"

#include <algorithm>

namespace karvo {

namespace {
constexpr std::uint32_t kRecordBytes = 16;
constexpr std::uint32_t kPage = 0x10000;

void WriteRecord(FileOutput& out, std::uint8_t type, std::uint16_t address,
                 const std::uint8_t* data, std::uint32_t count) {
    auto sum = static_cast<std::uint8_t>(count + (address >> 8) + (address & 0xFF) + type);
    out.Put(':');
    WriteHexByte(out, static_cast<std::uint8_t>(count));
    WriteHexByte(out, static_cast<std::uint8_t>(address >> 8));
    WriteHexByte(out, static_cast<std::uint8_t>(address & 0xFF));
    WriteHexByte(out, type);
    for (std::uint32_t i = 0; i < count; ++i) {
        WriteHexByte(out, data[i]);
        sum = static_cast<std::uint8_t>(sum + data[i]);
    }
    WriteHexByte(out, static_cast<std::uint8_t>(-sum));
    out.Write("\r\n");
}

void WriteAddressRecord(FileOutput& out, std::uint8_t type, std::uint32_t value) {
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value >> 8),
                                  static_cast<std::uint8_t>(value)};
    WriteRecord(out, type, 0, bytes, 2);
}
}  // namespace

void IntelHexWriter::Write(SaveContext& save) {
    FileOutput& out = save.out;
    const std::uint8_t* data = save.buffer.Data();
    std::uint32_t offset = save.start;
    std::uint32_t remaining = save.end - save.start + 1;
    // What a reader adds to the record addresses, as the address records so
    // far tell it.
    std::uint32_t base = 0;
    if (save.capacity > 0xFFFF) {
        if (offset / 16 <= 0xFFFF) {
            WriteAddressRecord(out, 0x02, offset / 16);
            base = offset & ~0xFu;
        } else {
            // A segment reaches only the first MiB.
            WriteAddressRecord(out, 0x04, offset >> 16);
            base = offset & ~(kPage - 1);
        }
    }
    while (remaining != 0) {
        if (offset - base >= kPage) {
            // A range that starts above the first 64 KiB of a small part.
            WriteAddressRecord(out, 0x04, offset >> 16);
            base = offset & ~(kPage - 1);
        }
        const std::uint32_t address = offset - base;
        // A record never runs past the end of the addresses it can name.
        const std::uint32_t count = std::min({kRecordBytes, remaining, kPage - address});
        WriteRecord(out, 0x00, static_cast<std::uint16_t>(address), data + offset, count);
        offset += count;
        remaining -= count;
        save.progress.Update(offset);
        if (offset - base == kPage) {
            WriteAddressRecord(out, 0x04, offset >> 16);
            base = offset & ~(kPage - 1);
        }
    }
    out.Write(":00000001FF\r\n");
}

}  // namespace karvo
