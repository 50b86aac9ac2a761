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
    std::uint64_t left = load.in.Size();
    while (left != 0) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left, kRun));
        const std::size_t got = load.in.Read(run.data(), wanted);
        // Shorter than its size said: the file changed or the medium failed.
        if (got != wanted) throw FileReadError();
        if (!load.StoreRun(run.data(), got)) return LoadResult::ResultNoFit;
        left -= got;
    }
    return LoadResult::ResultNone;
}

}  // namespace karvo
