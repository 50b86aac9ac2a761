#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "link/HidTransport.h"

namespace karvo {

// The programmer's bootloader on USB: a HID device of its own, apart from
// the normal firmware.
inline constexpr std::uint16_t kBootloaderVendorId = 0x04D8;
inline constexpr std::uint16_t kBootloaderProductId = 0x003C;
inline constexpr const char* kBootloaderVendorText = "Vid_04d8";
inline constexpr const char* kBootloaderProductText = "Pid_003C";

// Command bytes: byte 1 of a packet, byte 0 of a reply.
namespace BootCommand {
inline constexpr std::uint8_t Query = 0x02;
inline constexpr std::uint8_t Erase = 0x04;
inline constexpr std::uint8_t Program = 0x05;
inline constexpr std::uint8_t ProgramComplete = 0x06;
inline constexpr std::uint8_t GetData = 0x07;
inline constexpr std::uint8_t Reset = 0x08;
inline constexpr std::uint8_t SignFlash = 0x09;
inline constexpr std::uint8_t QueryExtendedInfo = 0x0C;
}  // namespace BootCommand

// What every bootloader operation returns.
enum class CommResult {
    Success = 0,
    NotConnected = 1,
    Failed = 2,
    IncorrectCommand = 3,
    TimedOut = 4,
};

// A packet as sent: byte 0 the report ID (0), bytes 1..64 the report.
using BootPacket = Report;
// A reply as read: byte 0 the command, the rest the request's layout shifted
// down by one. 65 bytes like a packet, the last always 0.
using BootReply = std::array<std::uint8_t, kReportSize>;

// The most data bytes one PROGRAM or GET_DATA can carry: a packet's 64 bytes
// less its six bytes of header.
inline constexpr int kMostPayload = 58;
// Where the query reply says whether extended information is offered.
inline constexpr std::size_t kExtendedMarkerByte = 57;
inline constexpr std::uint8_t kExtendedMarker = 0xA5;
inline constexpr int kRegionSlots = 6;
inline constexpr std::uint8_t kRegionListEnd = 0xFF;

enum RegionType : std::uint8_t {
    kProgramRegion = 1,
    kEepromRegion = 2,
    kConfigRegion = 3,
};

// How many bytes make one word and one address in each kind of memory for a
// bootloader family code. Data EEPROM always has one of each.
struct FamilyParameters {
    int programBytesPerWord = 2;
    int programBytesPerAddress = 1;
    int configBytesPerWord = 2;
    int configBytesPerAddress = 1;
};
FamilyParameters ParametersOfFamily(int familyCode);

inline std::uint32_t ReadLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint16_t ReadLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline void WriteLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace karvo
