#pragma once
#include <optional>
#include <string>
#include <vector>

namespace karvo::cli {

struct CliOptions {
    bool useVirtual = false;
    std::string virtualSettings;
    std::string settingsFile;  // empty: the user's own store
    std::string dataDir;
    std::string answer = "abort";       // for Abort/Retry/Ignore boxes
    std::vector<std::string> commands;  // -e, in order
    std::string script;
    bool help = false;
    bool version = false;
    bool progress = false;  // a line per tenth of each step on standard error
};

// nullopt on a usage error, with the reason in error.
std::optional<CliOptions> ParseCliOptions(int argc, const char* const* argv, std::string& error);

extern const char* const kUsageText;

}  // namespace karvo::cli
