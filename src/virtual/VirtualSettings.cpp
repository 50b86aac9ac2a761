#include "virtual/VirtualSettings.h"

#include <charconv>

namespace karvo {

namespace {
bool ParseByteValue(std::string_view text, int& out) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 255) {
        return false;
    }
    out = value;
    return true;
}
}  // namespace

std::optional<VirtualSettings> ParseVirtualSettings(std::string_view text, std::string& error) {
    VirtualSettings settings;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (item.empty()) continue;
        const std::size_t eq = item.find('=');
        const std::string_view key = item.substr(0, eq);
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view() : item.substr(eq + 1);
        if (key == "firmware") {
            const std::size_t dot = value.find('.');
            if (dot == std::string_view::npos ||
                !ParseByteValue(value.substr(0, dot), settings.firmwareMajor) ||
                !ParseByteValue(value.substr(dot + 1), settings.firmwareMinor)) {
                error = "firmware= takes MAJOR.MINOR, for example firmware=2.3";
                return std::nullopt;
            }
        } else if (key == "hello" && eq != std::string_view::npos) {
            settings.hello = std::string(value);
        } else if (key == "mute" && !value.empty()) {
            settings.muted.insert(std::string(value));
        } else if (key == "pace" && eq == std::string_view::npos) {
            settings.paced = true;
        } else {
            const auto verdict = ParseBootloaderSetting(
                key,
                eq == std::string_view::npos ? std::nullopt
                                             : std::optional<std::string_view>(value),
                settings.bootloader, error);
            if (verdict == SettingVerdict::Taken) continue;
            if (verdict == SettingVerdict::NotMine) {
                error = "unknown virtual programmer setting '" + std::string(item) +
                        "' (known: firmware=MAJOR.MINOR, hello=TEXT, mute=COMMAND, pace, " +
                        kBootloaderSettingKeys + ")";
            }
            return std::nullopt;
        }
    }
    return settings;
}

}  // namespace karvo
