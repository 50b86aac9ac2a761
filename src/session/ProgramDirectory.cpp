#include "session/ProgramDirectory.h"

#include <filesystem>
#include <system_error>

namespace karvo {

namespace fs = std::filesystem;

namespace {
// The one file every program directory has.
bool HoldsProgramData(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / "chimes.wav", ec);
}
}  // namespace

std::string ResolveProgramDirectory(const std::string& executableDir,
                                    const std::string& installedDataDir,
                                    const std::string& overrideDir) {
    if (!overrideDir.empty()) return overrideDir;
    if (HoldsProgramData(executableDir)) return executableDir;
    // An installed tree moved to another prefix still has its data beside bin/.
    const fs::path relocated = fs::path(executableDir).parent_path() / "share" / "karvo";
    if (HoldsProgramData(relocated)) return relocated.lexically_normal().string();
    if (HoldsProgramData(installedDataDir)) return installedDataDir;
    return executableDir;
}

bool MakeCurrentDirectory(const std::string& dir) {
    std::error_code ec;
    fs::current_path(dir, ec);
    return !ec;
}

std::string CurrentDirectory() {
    std::error_code ec;
    const fs::path path = fs::current_path(ec);
    return ec ? std::string() : path.string();
}

}  // namespace karvo

namespace karvo {

std::string ExecutableDirectory(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(argv0 ? argv0 : "", ec);
    return exe.parent_path().string();
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.string();
}

}  // namespace karvo
