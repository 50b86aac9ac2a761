#include "buffer/FileInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace karvo {

namespace {
constexpr std::size_t kBlockSize = std::size_t{64} * 1024;
}

std::unique_ptr<FdSource> FdSource::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    const auto size = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
    return std::unique_ptr<FdSource>(new FdSource(fd, size));
}

FdSource::~FdSource() {
    ::close(fd_);
}

std::size_t FdSource::ReadSome(std::uint8_t* into, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(fd_, into, capacity);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw FileReadError();
    }
}

std::size_t MemorySource::ReadSome(std::uint8_t* into, std::size_t capacity) {
    const std::size_t n = std::min(capacity, bytes_.size() - position_);
    if (n != 0) std::memcpy(into, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

FileInput::FileInput(ByteSource& source)
    : source_(source), block_(std::make_unique_for_overwrite<std::uint8_t[]>(kBlockSize)) {}

int FileInput::Refill() {
    const std::size_t got = source_.ReadSome(block_.get(), kBlockSize);
    if (got == 0) {
        next_ = end_ = nullptr;
        return kEnd;
    }
    next_ = block_.get();
    end_ = next_ + got;
    return *next_++;
}

std::size_t FileInput::Read(std::uint8_t* into, std::size_t capacity) {
    std::size_t done = 0;
    // What is left of the current block first, then straight from the source.
    if (next_ != end_) {
        done = std::min(capacity, static_cast<std::size_t>(end_ - next_));
        std::memcpy(into, next_, done);
        next_ += done;
    }
    while (done < capacity) {
        const std::size_t got = source_.ReadSome(into + done, capacity - done);
        if (got == 0) break;
        done += got;
    }
    return done;
}

}  // namespace karvo
