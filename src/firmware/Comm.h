#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "firmware/BootloaderProtocol.h"
#include "ports/Clock.h"

namespace karvo {

// The link to the programmer's bootloader: finds it on USB, opens it and
// turns each bootloader operation into packets. It shows nothing itself;
// every operation returns a result the update window turns into lines.
class Comm {
  public:
    // A write or read that makes no progress for this long counts one window;
    // a write gives up after five windows, a read after three.
    static constexpr int kWindowMs = 4000;
    static constexpr int kWriteWindows = 5;
    static constexpr int kReadWindows = 3;
    // One wait on the transport; short, so a window is counted closely.
    static constexpr int kSliceMs = 100;

    // How far a block transfer is: the update window's bar, 0..100.
    using Progress = std::function<void(int percent)>;

    Comm(HidBackend& usb, Clock& clock);
    ~Comm();
    Comm(const Comm&) = delete;
    Comm& operator=(const Comm&) = delete;

    // Whether a bootloader is on USB now. Presence alone opens nothing.
    bool IsPresent();
    bool Present() const { return present_; }
    // 0 when the first bootloader on USB is open now, 1 when none could be.
    int OpenBootloader();
    void CloseBootloader();
    // Commands go out only over an open handle.
    bool Connected() const { return transport_ != nullptr; }
    // True when the open bootloader is the virtual programmer's.
    bool Emulated() const { return usb_.Emulated(); }

    CommResult WritePacket(const BootPacket& packet);
    CommResult ReadPacket(BootReply& reply);

    CommResult GetQuery(BootReply& reply);
    CommResult GetExtendedInfo(BootReply& reply);
    CommResult SendErase();
    CommResult SendReset();
    // SIGN_FLASH, acknowledged by the answer to a following QUERY.
    CommResult SendSign();

    // Writes [address, endAddress) of one region from data (bytes, the
    // region's first byte first). Erased packets (all 0xFF) are not sent;
    // each run of written packets ends with one PROGRAM_COMPLETE.
    CommResult Program(std::uint32_t address, int payloadSize, int bytesPerAddress,
                       int bytesPerWord, int familyCode, std::uint32_t endAddress,
                       std::span<const std::uint8_t> data, const Progress& progress = {});
    // Reads [address, endAddress) into buffer. Only replies that answer the
    // request (command, address and length) are taken.
    CommResult GetData(std::uint32_t address, int payloadSize, int bytesPerAddress,
                       std::uint32_t endAddress, std::span<std::uint8_t> buffer,
                       const Progress& progress = {});

  private:
    CommResult SendCommand(std::uint8_t command);
    CommResult Ask(std::uint8_t command, BootReply& reply);
    CommResult Fail();

    HidBackend& usb_;
    Clock& clock_;
    std::unique_ptr<HidTransport> transport_;
    bool present_ = false;
};

}  // namespace karvo
