#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "catalogue/DataFileNames.h"
#include "settings/SettingsValues.h"

namespace karvo {

inline constexpr std::uint16_t kSoftwareVersion = 2002;
inline constexpr int kSupportedFirmwareMajor = 2;
inline constexpr int kSupportedFirmwareMinor = 3;

// The process-wide state every command reads. RunFlag and ErrorCount are
// shared with the worker of a device operation, one writer each.
struct ApplicationState {
    std::int8_t AppState = 0;  // 0 demonstration mode, 1 programmer connected
    bool found = false;
    std::uint16_t SoftwareVersion = kSoftwareVersion;
    std::int32_t FirmwareMajor = 0;
    std::int32_t FirmwareMinor = 0;
    std::string StartDir;
    std::atomic<bool> RunFlag{true};
    std::atomic<std::uint8_t> ErrorCount{0};
    std::uint8_t DeviceFilesPresent = 0;
    // Flags, remembered device and directories; SoundON among them.
    PersistedValues settings;
};

}  // namespace karvo
