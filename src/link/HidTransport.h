#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace karvo {

// One HID report as it crosses the wire: byte 0 the report ID (always 0),
// bytes 1..64 the payload.
inline constexpr std::size_t kReportSize = 65;
inline constexpr std::size_t kPayloadSize = 64;
using Report = std::array<std::uint8_t, kReportSize>;

enum class ReadStatus { Ok, TimedOut, Failed };
enum class WriteStatus { Ok, TimedOut, Failed };

// An opened HID device.
class HidTransport {
  public:
    virtual ~HidTransport() = default;
    virtual bool Write(const Report& report) = 0;
    virtual ReadStatus Read(Report& report, int timeoutMs) = 0;
    // A write that may find the device not taking reports for a while; the
    // bootloader link counts such waits to give up on a stalled device.
    // Devices whose writes either complete or fail say so through Write.
    virtual WriteStatus WriteWithin(const Report& report, int /*timeoutMs*/) {
        return Write(report) ? WriteStatus::Ok : WriteStatus::Failed;
    }
};

struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t release = 0;
};

// Where HID devices come from: the machine's USB (hidapi) or the virtual programmer.
class HidBackend {
  public:
    virtual ~HidBackend() = default;
    // Present devices in enumeration order.
    virtual std::vector<HidDeviceInfo> Enumerate() = 0;
    // nullptr when the device cannot be opened.
    virtual std::unique_ptr<HidTransport> OpenPath(const std::string& path) = 0;
    // True only for a programmer made of software. Anything else, whatever it
    // is, counts as real hardware: an image made for the virtual programmer
    // must never reach it.
    virtual bool Emulated() const { return false; }
};

// The hardware-ID text of a device, in the form the system's device manager
// gives it: HID\VID_04D8&PID_F4A3&REV_0100.
std::string HardwareId(const HidDeviceInfo& info);

// True when the upper-cased hardware ID contains vendorText + "&" + productText,
// upper-cased. This is how the programmer is recognised among the HID devices.
bool HardwareIdMatches(const std::string& hardwareId, const std::string& vendorText,
                       const std::string& productText);

}  // namespace karvo
