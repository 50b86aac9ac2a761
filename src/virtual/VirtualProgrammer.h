#pragma once
#include <deque>
#include <memory>
#include <mutex>

#include "catalogue/ChipSocketPort.h"
#include "link/HidTransport.h"
#include "ports/Clock.h"
#include "virtual/ChipTypes.h"
#include "virtual/FaultInjector.h"
#include "virtual/NormalFirmware.h"
#include "virtual/VirtualBootloader.h"
#include "virtual/VirtualSettings.h"

namespace karvo {

// A KARVO Mk2 programmer in software: it appears on the virtual USB as the
// normal firmware or as the bootloader and answers reports as the hardware
// does. One instance lives for the whole run, like the box on the desk; links
// come and go (Reconnect) without resetting it.
class VirtualProgrammer final : public ChipSocketPort,
                                private FirmwareHost,
                                private BootloaderHost {
  public:
    enum class Mode { NormalFirmware, Bootloader, Unplugged };

    static constexpr std::uint16_t kVendorId = 0x04D8;
    static constexpr std::uint16_t kFirmwareProductId = 0xF4A3;
    static constexpr std::uint16_t kBootloaderProductId = 0x003C;

    VirtualProgrammer(VirtualSettings settings, Clock& clock);

    Mode CurrentMode() const;
    // The device as the USB enumeration shows it; nothing when unplugged.
    std::vector<HidDeviceInfo> Enumerate() const;

    // Host to device; false when the device is gone or the path is stale.
    bool HostWrite(const std::string& path, const Report& report);
    // The same, for a device that may not take the report for a while: a
    // stalled bootloader lets the write wait timeoutMs and time out.
    WriteStatus HostWriteWithin(const std::string& path, const Report& report, int timeoutMs);
    ReadStatus HostRead(const std::string& path, Report& report, int timeoutMs);

    void Unplug();
    // Fault injection, on the transport (see FaultInjector).
    void Refuse(const std::string& command);
    // The byte at that offset of that area (the letter its read command
    // uses) reads back inverted.
    void Corrupt(char area, std::uint32_t offset);
    // After this many more reports to the host it falls silent.
    void StallAfter(int reports);

    // The chip types its firmware knows (from the device data files).
    void LearnChipTypes(ChipTypes types);
    // The user put this chip in the socket: the next parameter block that
    // fits it shapes the socket as this chip, whatever else shares its block.
    void ChipSelected(const DeviceRecord& chip) override;
    // Runs f on the socket under the device's lock.
    template <typename F>
    auto WithSocket(F&& f) {
        std::lock_guard lock(mutex_);
        return f(socket_);
    }
    // A bootloader reset: the normal firmware starts again, reporting the
    // version of the image it now holds.
    void RestartFirmware(int major, int minor);
    VirtualSettings Settings() const;
    // Runs f on the bootloader (its flash, its counters) under the device's lock.
    template <typename F>
    auto WithBootloader(F&& f) {
        std::lock_guard lock(mutex_);
        return f(bootloader_);
    }

  private:
    void Reply(const Payload& payload, std::optional<StreamTag> tag) override;
    void EnterBootloader() override;
    std::optional<ChipModel>& Socket() override { return socket_; }
    bool ShapeSocket(const Payload& block) override;
    std::string PathLocked() const;
    void BootReply(const Payload& payload, std::int64_t readyAtMs) override;
    void BootUnplug() override;
    void BootStartFirmware(int major, int minor) override;
    void BootRestart() override;
    // With pacing on, each report takes the next 1 ms slot, as USB full-speed
    // frames do: oversleeping one report does not delay every later one.
    void PaceLocked();

    mutable std::mutex mutex_;
    VirtualSettings settings_;
    Clock& clock_;
    Mode mode_ = Mode::NormalFirmware;
    struct ToHost {
        Report report;
        std::optional<StreamTag> tag;
        std::int64_t readyAtMs = 0;  // a bootloader busy erasing answers later
    };
    std::deque<ToHost> toHost_;
    std::optional<ChipModel> socket_;
    ChipTypes chipTypes_;
    std::optional<DeviceRecord> selected_;
    FaultInjector faults_;
    std::optional<std::int64_t> nextSlotMs_;
    NormalFirmware firmware_;
    VirtualBootloader bootloader_;
    // Each re-enumeration gives the device a new path: old handles go stale.
    int generation_ = 0;
};

// Presents a VirtualProgrammer through the same port as the real USB.
class VirtualBackend final : public HidBackend {
  public:
    explicit VirtualBackend(VirtualProgrammer& programmer) : programmer_(programmer) {}
    std::vector<HidDeviceInfo> Enumerate() override { return programmer_.Enumerate(); }
    std::unique_ptr<HidTransport> OpenPath(const std::string& path) override;
    bool Emulated() const override { return true; }

  private:
    VirtualProgrammer& programmer_;
};

}  // namespace karvo
