#include "buffer/formats/BinaryWriter.h"

#include <algorithm>

namespace karvo {

namespace {
constexpr std::uint32_t kRun = 4096;  // the bar still moves in single steps
}

void BinaryWriter::Write(SaveContext& save) {
    std::uint32_t offset = save.start;
    std::uint32_t remaining = save.end - save.start + 1;
    while (remaining != 0) {
        const std::uint32_t count = std::min(kRun, remaining);
        save.out.WriteBytes(save.buffer.Data() + offset, count);
        offset += count;
        remaining -= count;
        save.progress.Update(offset);
    }
}

}  // namespace karvo
