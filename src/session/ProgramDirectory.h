#pragma once
#include <string>

namespace karvo {

// The folder that holds the device data files and the sounds: the override
// when one is given, else the executable's own folder when the data sits
// beside it (a build tree), else ../share/karvo beside the executable's
// folder, else the installed data folder.
std::string ResolveProgramDirectory(const std::string& executableDir,
                                    const std::string& installedDataDir,
                                    const std::string& overrideDir);

// Makes dir the current directory; false (and nothing changed) when it cannot.
bool MakeCurrentDirectory(const std::string& dir);
std::string CurrentDirectory();

}  // namespace karvo

namespace karvo {
// The folder of the running executable (argv0 is the fallback off Linux).
std::string ExecutableDirectory(const char* argv0);
std::string AbsolutePath(const std::string& path);
}  // namespace karvo
