#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "link/HidTransport.h"
#include "virtual/BootloaderSettings.h"

namespace karvo {

// What the emulated bootloader does to the programmer as a whole.
class BootloaderHost {
  public:
    using Payload = std::array<std::uint8_t, kPayloadSize>;
    virtual ~BootloaderHost() = default;
    // A report to the host, not readable before readyAtMs.
    virtual void BootReply(const Payload& payload, std::int64_t readyAtMs) = 0;
    virtual void BootUnplug() = 0;
    // The normal firmware starts, reporting this version.
    virtual void BootStartFirmware(int major, int minor) = 0;
    // The bootloader starts again and re-enumerates: old handles go stale.
    virtual void BootRestart() = 0;
};

// The programmer's bootloader in software: its memory regions, a flash that
// programming can only clear, the erase that takes its time, read-back,
// signing and the reset into the firmware it holds. It decodes every packet
// by itself, so a fault in the program's packets shows up as wrong flash.
class VirtualBootloader {
  public:
    using Payload = BootloaderHost::Payload;

    struct Region {
        std::uint8_t type = 0;
        std::uint32_t start = 0;
        std::uint32_t size = 0;  // in addresses
        int bytesPerAddress = 1;
        // Regions the bootloader only claims (a wrapping or huge one) hold
        // no memory here.
        std::vector<std::uint8_t> flash;
    };

    // Where the firmware keeps its version: this far into program memory,
    // "KFW", a zero, major, minor, 0x5A.
    static constexpr std::uint32_t kVersionTagOffset = 0x10;
    // The program memory in image (byte) addresses.
    static constexpr std::uint32_t kProgramFirstByte = 0x1000;
    static constexpr std::uint32_t kProgramBytes = 0x7000;
    static constexpr std::uint32_t kSignatureByte = 0x1004;

    // The flash starts out holding a firmware of the given version, signed.
    VirtualBootloader(const BootloaderSettings& settings, int firmwareMajor, int firmwareMinor);

    // A report from the host at time nowMs; false when the write fails (the
    // device was unplugged by it).
    bool Handle(const Payload& payload, std::int64_t nowMs, BootloaderHost& host);
    // A stalled bootloader takes no more reports.
    bool Stalled() const { return stalled_; }

    const std::vector<Region>& Regions() const { return regions_; }
    // The program-memory byte at an image address; nullopt outside.
    std::optional<std::uint8_t> ProgramByte(std::uint32_t imageAddress) const;
    // The version the firmware in flash reports, when it is valid to start.
    std::optional<std::pair<int, int>> StartableFirmware() const;
    int Erases() const { return erases_; }
    int ProgramPackets() const { return programPackets_; }

  private:
    Region* RegionAt(std::uint8_t type, std::uint64_t address);
    const Region* RegionAt(std::uint8_t type, std::uint64_t address) const;
    bool Trips(BootStage stage, BootloaderHost& host);
    void Query(std::int64_t nowMs, BootloaderHost& host);
    void ExtendedInfo(std::int64_t nowMs, BootloaderHost& host);
    void Program(const Payload& payload);
    void Complete();
    void GetData(const Payload& payload, std::int64_t nowMs, BootloaderHost& host);
    void Sign();
    void Reset(BootloaderHost& host);
    void ProgramBytes(std::uint64_t firstByte, const std::vector<std::uint8_t>& bytes);
    std::uint32_t SignatureAddress() const;
    bool IsPhantom(std::size_t position) const { return family_ == 2 && position % 4 == 3; }
    std::uint8_t Echo(std::uint8_t command) const;

    BootloaderSettings settings_;
    int family_;
    int programBytesPerAddress_;
    std::vector<Region> regions_;
    std::int64_t eraseDoneAtMs_ = 0;
    // PROGRAM data not yet committed: a run is written at PROGRAM_COMPLETE.
    std::uint64_t pendingFirstByte_ = 0;
    std::vector<std::uint8_t> pending_;
    bool stalled_ = false;
    bool muteNextQuery_ = false;
    bool queried_ = false;
    bool completed_ = false;
    bool readBack_ = false;
    int programPackets_ = 0;
    int erases_ = 0;
};

}  // namespace karvo
