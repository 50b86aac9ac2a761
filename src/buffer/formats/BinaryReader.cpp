#include "buffer/formats/BinaryReader.h"

#include <algorithm>
#include <array>

namespace karvo {

namespace {
// Small enough that the progress bar still moves in single steps on a 2 MiB part.
constexpr std::size_t kRun = 4096;
}  // namespace

LoadResult BinaryReader::Read(LoadContext& load) {
    load.LoadPointer = load.offset;
    std::array<std::uint8_t, kRun> run;
    // To the end of the stream, not to the size the file claims: a pipe or a
    // FIFO has none. The buffer bounds it: what does not fit ends the load.
    for (;;) {
        const std::size_t got = load.in.Read(run.data(), kRun);
        if (got == 0) return LoadResult::ResultNone;
        if (!load.StoreRun(run.data(), got)) return LoadResult::ResultNoFit;
    }
}

}  // namespace karvo
