#include "buffer/FileOutput.h"

#include <algorithm>
#include <cstring>

namespace karvo {

FileOutput::FileOutput(ByteSink& sink)
    : sink_(sink), block_(std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize)) {}

void FileOutput::Flush() {
    if (next_ != 0 && !failed_) failed_ = !sink_.WriteAll(block_.get(), next_);
    next_ = 0;
}

void FileOutput::WriteBytes(const std::uint8_t* bytes, std::size_t count) {
    while (count != 0) {
        if (next_ == kBlockSize) Flush();
        const std::size_t n = std::min(count, kBlockSize - next_);
        std::memcpy(block_.get() + next_, bytes, n);
        next_ += n;
        bytes += n;
        count -= n;
    }
}

bool FileOutput::Finish() {
    Flush();
    return !failed_;
}

}  // namespace karvo
