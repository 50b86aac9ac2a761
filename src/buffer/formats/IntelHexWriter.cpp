#include "buffer/formats/IntelHexWriter.h"

#include <algorithm>

#include "buffer/formats/HexRecords.h"

namespace karvo {

namespace {
constexpr std::uint32_t kRecordBytes = 16;
constexpr std::uint32_t kPage = 0x10000;

constexpr std::string_view kLineEnd = "\r\n";

void WriteAddressRecord(FileOutput& out, std::uint8_t type, std::uint32_t value) {
    WriteHexAddressRecord(out, type, static_cast<std::uint16_t>(value), kLineEnd);
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
            WriteAddressRecord(out, hex_record::kSegmentAddress, offset / 16);
            base = offset & ~0xFu;
        } else {
            // A segment reaches only the first MiB.
            WriteAddressRecord(out, hex_record::kLinearAddress, offset >> 16);
            base = offset & ~(kPage - 1);
        }
    }
    while (remaining != 0) {
        if (offset - base >= kPage) {
            // A range that starts above the first 64 KiB of a small part.
            WriteAddressRecord(out, hex_record::kLinearAddress, offset >> 16);
            base = offset & ~(kPage - 1);
        }
        const std::uint32_t address = offset - base;
        // A record never runs past the end of the addresses it can name.
        const std::uint32_t count = std::min({kRecordBytes, remaining, kPage - address});
        WriteHexRecord(out, static_cast<std::uint8_t>(count), static_cast<std::uint16_t>(address),
                       hex_record::kData, data + offset, count, kLineEnd);
        offset += count;
        remaining -= count;
        save.progress.Update(offset);
        if (offset - base == kPage) {
            WriteAddressRecord(out, hex_record::kLinearAddress, offset >> 16);
            base = offset & ~(kPage - 1);
        }
    }
    out.Write(":00000001FF\r\n");
}

}  // namespace karvo
