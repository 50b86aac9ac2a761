#include "buffer/ReplacingFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace karvo {

namespace fs = std::filesystem;

namespace {
std::atomic<unsigned> temporaryCounter{0};

// Links are followed as the system would on open, also to a file that does
// not exist yet (a dangling link): saving writes the file a link names and
// keeps the link. A loop ends the search where it is.
fs::path FollowLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path.lexically_normal();
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// "." + name + ".karvo-": the start of every temporary name of ours for it.
std::string TemporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".karvo-";
}

// A name of our own in the target's folder, so the final rename never crosses
// file systems.
std::string TemporaryName(const fs::path& target, unsigned attempt) {
    return (FolderOf(target) /
            (TemporaryPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(attempt)))
        .string();
}

// Temporary files of ours that a killed save left beside the target: their
// process is gone, so nothing will ever finish or remove them.
void RemoveStaleTemporaries(const fs::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(FolderOf(target), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos) continue;
        const std::string pid = rest.substr(0, dash);
        if (pid.find_first_not_of("0123456789") != std::string::npos || pid.size() > 9) continue;
        const pid_t owner = static_cast<pid_t>(std::stol(pid));
        if (owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH) {
            fs::remove(entry.path(), ec);
        }
    }
}

// The path through which an unnamed file can be given a name.
std::string DescriptorPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
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
    const fs::path target = FollowLinks(path);
    if (target.filename().empty()) return false;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    RemoveStaleTemporaries(target);
#ifdef O_TMPFILE
    // An unnamed file: a save killed at any moment before it is linked into
    // place leaves nothing behind.
    fd_ = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#endif
    // Where the file system has no unnamed files, a hidden name of ours.
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

bool ReplacingFile::NameUnnamedFile() {
    const std::string self = DescriptorPath(fd_);
    // A new file is linked straight to its name, with no moment under another.
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    if (errno != EEXIST) return false;
    // An existing file is replaced by a rename, which needs a name first; for
    // that instant only it carries ours.
    for (int tries = 0; tries < 100; ++tries) {
        temporary_ = TemporaryName(fs::path(target_), temporaryCounter++);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            if (::rename(temporary_.c_str(), target_.c_str()) == 0) {
                temporary_.clear();
                return true;
            }
            return false;
        }
        if (errno != EEXIST) break;
    }
    temporary_.clear();
    return false;
}

bool ReplacingFile::Commit() {
    if (fd_ < 0) return false;
    bool done = ::fsync(fd_) == 0;
    if (done) {
        done = temporary_.empty() ? NameUnnamedFile()
                                  : ::rename(temporary_.c_str(), target_.c_str()) == 0;
    }
    if (done) temporary_.clear();
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!done || !closed) {
        Discard();
        return false;
    }
    return true;
}

}  // namespace karvo
