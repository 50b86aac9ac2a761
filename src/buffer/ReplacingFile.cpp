#include "buffer/ReplacingFile.h"

#include <atomic>
#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace karvo {

namespace fs = std::filesystem;

namespace {
std::atomic<unsigned> temporaryCounter{0};

// A name of our own in the target's folder, so the final rename never crosses
// file systems.
std::string TemporaryName(const fs::path& target, unsigned attempt) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return (folder / ("." + target.filename().string() + ".karvo-" + std::to_string(::getpid()) +
                      "-" + std::to_string(attempt)))
        .string();
}
}  // namespace

ReplacingFile::~ReplacingFile() {
    Discard();
}

void ReplacingFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool ReplacingFile::Create(const std::string& path) {
    Discard();
    std::error_code ec;
    fs::path target = path;
    // Saving through a link writes the file it points to; the link stays.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) return false;
        target = resolved;
    }
    if (target.filename().empty()) return false;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    for (int tries = 0; tries < 100 && fd_ < 0; ++tries) {
        temporary_ = TemporaryName(target, temporaryCounter++);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        return false;
    }
    if (exists) {
        // The new file takes the place of the old one, so it keeps its owner
        // and permissions; best effort, as for any editor.
        [[maybe_unused]] const int owned = ::fchown(fd_, existing.st_uid, existing.st_gid);
        ::fchmod(fd_, existing.st_mode & 07777);
    }
    target_ = target.string();
    return true;
}

bool ReplacingFile::WriteAll(const std::uint8_t* bytes, std::size_t count) {
    if (fd_ < 0) return false;
    while (count != 0) {
        const ssize_t done = ::write(fd_, bytes, count);
        if (done < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += done;
        count -= static_cast<std::size_t>(done);
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (fd_ < 0) return false;
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

}  // namespace karvo
