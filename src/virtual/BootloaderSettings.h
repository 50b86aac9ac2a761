#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace karvo {

// The points of an update where a fault can strike the virtual bootloader.
enum class BootStage { Query, Erase, Program, Complete, ReadBack, Sign, Reset };

// How the virtual programmer's bootloader behaves, from `--virtual=`.
struct BootloaderSettings {
    enum class Layout { Normal, AtZero, Wrapping, Huge };
    enum class Sign { Normal, Ignore, Silent, Wrong };
    struct StageFault {
        BootStage stage = BootStage::Query;
        bool unplug = false;   // the device vanishes; otherwise it stops answering
        int afterPackets = 0;  // for Program: this many PROGRAM packets are taken first
    };

    bool startInBootloader = false;
    int family = 1;
    int payload = 56;
    Layout layout = Layout::Normal;
    bool extendedInfo = true;
    std::uint32_t erasePageSize = 64;
    std::uint16_t signatureValue = 0x600D;
    int eraseMs = 1500;
    // The reply to this command echoes another command byte.
    std::optional<std::uint8_t> wrongEcho;
    std::optional<StageFault> fault;
    // The byte at this image (byte) address reads back inverted.
    std::optional<std::uint32_t> flip;
    Sign sign = Sign::Normal;
};

enum class SettingVerdict { Taken, NotMine, Bad };

// One `key[=value]` item of the settings text, if it is a bootloader setting.
SettingVerdict ParseBootloaderSetting(std::string_view key, std::optional<std::string_view> value,
                                      BootloaderSettings& settings, std::string& error);

// The bootloader keys for the list of known settings.
inline constexpr const char* kBootloaderSettingKeys =
    "bootloader, family=N, payload=N, region=zero|wrap|huge, noext, pagesize=N, "
    "erasetime=MS, echo=query|extended|getdata, stall=STAGE, unplug=STAGE, flip=ADDRESS, "
    "sign=ignore|silent|wrong";

}  // namespace karvo
