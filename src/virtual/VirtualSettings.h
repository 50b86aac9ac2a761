#pragma once
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "virtual/BootloaderSettings.h"

namespace karvo {

// How the virtual programmer behaves, from `--virtual=key=value,…`.
struct VirtualSettings {
    int firmwareMajor = 2;
    int firmwareMinor = 3;
    std::string hello = "Here";   // answer to the handshake
    std::set<std::string> muted;  // commands never answered
    bool paced = false;           // one report per millisecond, as USB full speed
    BootloaderSettings bootloader;
};

// Parses "firmware=2.4,hello=Nope,mute=F,pace". Empty text gives the defaults.
// On an unknown key or a malformed value returns nullopt and sets error.
std::optional<VirtualSettings> ParseVirtualSettings(std::string_view text, std::string& error);

}  // namespace karvo
