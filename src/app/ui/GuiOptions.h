#pragma once
#include <optional>
#include <string>
#include <vector>

namespace karvo::ui {

struct GuiOptions {
    bool useVirtual = false;
    std::string virtualSettings;
    std::string dataDir;
    bool help = false;
    bool version = false;
    // Arguments that are not ours; Qt takes its own (-platform, -style …).
    std::vector<std::string> others;
};

// nullopt on a usage error, with the reason in error.
std::optional<GuiOptions> ParseGuiOptions(int argc, const char* const* argv, std::string& error);

extern const char* const kGuiUsageText;

}  // namespace karvo::ui
