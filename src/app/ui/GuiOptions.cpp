#include "app/ui/GuiOptions.h"

#include <string_view>

namespace karvo::ui {

const char* const kGuiUsageText =
    "usage: karvo [--virtual[=SETTINGS]] [--data-dir DIR]\n"
    "\n"
    "The KARVO Mk2 control program. Without options it looks for the programmer\n"
    "on USB and runs in demonstration mode when there is none.\n"
    "\n"
    "  --virtual[=k=v,...]  use the virtual programmer instead of USB; settings:\n"
    "                       firmware=MAJOR.MINOR, hello=TEXT, mute=COMMAND, pace,\n"
    "                       and its bootloader's (see karvo-cli --help)\n"
    "  --data-dir DIR       program directory (device data files, sounds)\n"
    "  --help, --version\n";

std::optional<GuiOptions> ParseGuiOptions(int argc, const char* const* argv, std::string& error) {
    GuiOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--virtual") {
            options.useVirtual = true;
        } else if (arg.starts_with("--virtual=")) {
            options.useVirtual = true;
            options.virtualSettings = std::string(arg.substr(10));
        } else if (arg == "--data-dir") {
            if (i + 1 >= argc) {
                error = "--data-dir needs a value";
                return std::nullopt;
            }
            options.dataDir = argv[++i];
        } else if (arg.starts_with("--data-dir=")) {
            options.dataDir = std::string(arg.substr(11));
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            options.others.emplace_back(arg);
        }
    }
    return options;
}

}  // namespace karvo::ui
