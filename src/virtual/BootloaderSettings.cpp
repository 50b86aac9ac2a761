#include "virtual/BootloaderSettings.h"

#include <charconv>

namespace karvo {

namespace {
bool Number(std::string_view text, std::uint64_t most, std::uint64_t& out, int base = 10) {
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > most) {
        return false;
    }
    out = value;
    return true;
}

// query, erase, program[:N], complete, readback, sign, reset
bool Stage(std::string_view text, BootloaderSettings::StageFault& fault) {
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    if (colon != std::string_view::npos) {
        std::uint64_t n = 0;
        if (name != "program" || !Number(text.substr(colon + 1), 0xFFFFFF, n)) return false;
        fault.afterPackets = static_cast<int>(n);
    }
    constexpr std::pair<std::string_view, BootStage> kStages[] = {
        {"query", BootStage::Query},       {"erase", BootStage::Erase},
        {"program", BootStage::Program},   {"complete", BootStage::Complete},
        {"readback", BootStage::ReadBack}, {"sign", BootStage::Sign},
        {"reset", BootStage::Reset}};
    for (const auto& [known, stage] : kStages) {
        if (name == known) {
            fault.stage = stage;
            return true;
        }
    }
    return false;
}
}  // namespace

SettingVerdict ParseBootloaderSetting(std::string_view key, std::optional<std::string_view> value,
                                      BootloaderSettings& settings, std::string& error) {
    auto bad = [&](const char* form) {
        error = std::string(key) + "= takes " + form;
        return SettingVerdict::Bad;
    };
    std::uint64_t n = 0;
    if (!value) {
        if (key == "bootloader") {
            settings.startInBootloader = true;
        } else if (key == "noext") {
            settings.extendedInfo = false;
        } else {
            return SettingVerdict::NotMine;
        }
        return SettingVerdict::Taken;
    }
    if (key == "family") {
        if (!Number(*value, 255, n)) return bad("a family code, 0 to 255");
        settings.family = static_cast<int>(n);
    } else if (key == "payload") {
        if (!Number(*value, 255, n)) return bad("a payload size, 0 to 255");
        settings.payload = static_cast<int>(n);
    } else if (key == "pagesize") {
        if (!Number(*value, 0xFFFFFFFF, n)) return bad("an erase page size in bytes");
        settings.erasePageSize = static_cast<std::uint32_t>(n);
    } else if (key == "erasetime") {
        if (!Number(*value, 600000, n)) return bad("milliseconds, at most 600000");
        settings.eraseMs = static_cast<int>(n);
    } else if (key == "region") {
        if (*value == "zero") {
            settings.layout = BootloaderSettings::Layout::AtZero;
        } else if (*value == "wrap") {
            settings.layout = BootloaderSettings::Layout::Wrapping;
        } else if (*value == "huge") {
            settings.layout = BootloaderSettings::Layout::Huge;
        } else {
            return bad("zero, wrap or huge");
        }
    } else if (key == "echo") {
        if (*value == "query") {
            settings.wrongEcho = 0x02;
        } else if (*value == "extended") {
            settings.wrongEcho = 0x0C;
        } else if (*value == "getdata") {
            settings.wrongEcho = 0x07;
        } else {
            return bad("query, extended or getdata");
        }
    } else if (key == "stall" || key == "unplug") {
        BootloaderSettings::StageFault fault;
        fault.unplug = key == "unplug";
        if (!Stage(*value, fault)) {
            return bad("query, erase, program, program:N, complete, readback, sign or reset");
        }
        settings.fault = fault;
    } else if (key == "flip") {
        if (!Number(*value, 0xFFFFFFFF, n, 16)) return bad("a hexadecimal image address");
        settings.flip = static_cast<std::uint32_t>(n);
    } else if (key == "sign") {
        if (*value == "ignore") {
            settings.sign = BootloaderSettings::Sign::Ignore;
        } else if (*value == "silent") {
            settings.sign = BootloaderSettings::Sign::Silent;
        } else if (*value == "wrong") {
            settings.sign = BootloaderSettings::Sign::Wrong;
        } else {
            return bad("ignore, silent or wrong");
        }
    } else {
        return SettingVerdict::NotMine;
    }
    return SettingVerdict::Taken;
}

}  // namespace karvo
