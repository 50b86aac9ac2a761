#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "link/HidTransport.h"
#include "ports/Clock.h"

namespace karvo {

// The program's link to the programmer's normal firmware: finds it among the
// HID devices and moves 65-byte reports. Sends and receives never report an
// error to the caller: a failed or timed-out read leaves an all-zero payload,
// which matches no reply the program waits for.
class THid {
  public:
    // How long one read waits for the programmer before giving up. A real
    // programmer answers every command within a few milliseconds; the longest
    // legitimate wait (a chip erase) passes its own bound to the receive calls.
    static constexpr int kReadTimeoutMs = 2000;
    // A long read is cut into slices so that an Abort is noticed promptly.
    static constexpr int kReadSliceMs = 50;

    explicit THid(HidBackend& backend);

    // vendorText "Vid_04d8", productText "Pid_F4A3": the first device, in
    // enumeration order, whose hardware ID contains both.
    bool Open(const std::string& vendorText, const std::string& productText);
    bool IsOpen() const { return transport_ != nullptr; }

    void SendHello();
    void SendText(const std::string& text);
    void SendPayload(const std::uint8_t* payload64);
    // Raw payload of up to 64 bytes, the rest zero (parameter blocks).
    void SendBytes(const std::uint8_t* bytes, std::size_t count);

    std::string ReceiveText4(int timeoutMs = kReadTimeoutMs);
    void ReceivePayload(std::uint8_t* destination64, int timeoutMs = kReadTimeoutMs);
    // Copies payload bytes 0..n (n + 1 bytes).
    void ReceiveBytes(std::uint8_t* destination, std::size_t n, int timeoutMs = kReadTimeoutMs);

    // While a device operation runs, its run flag: a read gives up as soon as
    // the flag goes false (Abort). nullptr: reads only time out.
    void WatchRunFlag(const std::atomic<bool>* runFlag) { runFlag_ = runFlag; }
    // Reports that failed, timed out or were cut short since the link was opened.
    std::uint64_t FailedTransfers() const { return failedTransfers_; }

    static Report Frame(const std::uint8_t* payload, std::size_t count);

  private:
    void Send(const Report& report);
    Report Receive(int timeoutMs);

    HidBackend& backend_;
    std::unique_ptr<HidTransport> transport_;
    const std::atomic<bool>* runFlag_ = nullptr;
    std::uint64_t failedTransfers_ = 0;
};

}  // namespace karvo
