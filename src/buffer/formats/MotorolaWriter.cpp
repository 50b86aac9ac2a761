#include "buffer/formats/MotorolaWriter.h"

#include <algorithm>

namespace karvo {

namespace {
constexpr std::uint32_t kS1Bytes = 32;
constexpr std::uint32_t kS2Bytes = 31;
constexpr std::uint32_t kPage = 0x10000;
}  // namespace

void MotorolaWriter::Write(SaveContext& save) {
    FileOutput& out = save.out;
    const std::uint8_t* data = save.buffer.Data();
    std::uint32_t offset = save.start;
    std::uint32_t remaining = save.end - save.start + 1;
    while (remaining != 0) {
        const bool s2 = ((offset >> 16) & 0xFF) != 0;
        // An S1 record stops at 64 KiB, where its 16-bit address ends.
        const std::uint32_t count =
            s2 ? std::min(kS2Bytes, remaining) : std::min({kS1Bytes, remaining, kPage - offset});
        const auto length = static_cast<std::uint8_t>(count + (s2 ? 4 : 3));
        out.Write(s2 ? "S2" : "S1");
        WriteHexByte(out, length);
        std::uint8_t sum = length;
        for (int shift = s2 ? 16 : 8; shift >= 0; shift -= 8) {
            const auto byte = static_cast<std::uint8_t>(offset >> shift);
            WriteHexByte(out, byte);
            sum = static_cast<std::uint8_t>(sum + byte);
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            WriteHexByte(out, data[offset + i]);
            sum = static_cast<std::uint8_t>(sum + data[offset + i]);
        }
        WriteHexByte(out, static_cast<std::uint8_t>(~sum));
        out.Put('\n');
        offset += count;
        remaining -= count;
        save.progress.Update(offset);
    }
    out.Write("S9030000FC\n");
}

}  // namespace karvo
