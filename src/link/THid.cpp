#include "link/THid.h"

#include <algorithm>
#include <cstring>

namespace karvo {

THid::THid(HidBackend& backend) : backend_(backend) {}

bool THid::Open(const std::string& vendorText, const std::string& productText) {
    transport_.reset();
    for (const HidDeviceInfo& info : backend_.Enumerate()) {
        if (!HardwareIdMatches(HardwareId(info), vendorText, productText)) continue;
        // The first match is the programmer, even if it cannot be opened: the
        // first exchange then simply gets no valid reply.
        transport_ = backend_.OpenPath(info.path);
        return true;
    }
    return false;
}

Report THid::Frame(const std::uint8_t* payload, std::size_t count) {
    Report report{};
    std::copy_n(payload, std::min(count, kPayloadSize), report.begin() + 1);
    return report;
}

void THid::Send(const Report& report) {
    if (!transport_ || !transport_->Write(report)) ++failedTransfers_;
}

Report THid::Receive(int timeoutMs) {
    Report report{};
    if (!transport_) {
        ++failedTransfers_;
        return report;
    }
    int remaining = timeoutMs;
    for (;;) {
        const int slice = runFlag_ ? std::min(remaining, kReadSliceMs) : remaining;
        const ReadStatus status = transport_->Read(report, slice);
        if (status == ReadStatus::Ok) return report;
        remaining -= slice;
        const bool aborted = runFlag_ && !runFlag_->load(std::memory_order_relaxed);
        if (status == ReadStatus::Failed || remaining <= 0 || aborted) break;
    }
    ++failedTransfers_;
    report.fill(0);
    return report;
}

void THid::SendHello() {
    SendText("KARVO");
}

void THid::SendText(const std::string& text) {
    Send(Frame(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void THid::SendPayload(const std::uint8_t* payload64) {
    Send(Frame(payload64, kPayloadSize));
}

void THid::SendBytes(const std::uint8_t* bytes, std::size_t count) {
    Send(Frame(bytes, count));
}

std::string THid::ReceiveText4(int timeoutMs) {
    const Report report = Receive(timeoutMs);
    return std::string(reinterpret_cast<const char*>(report.data() + 1), 4);
}

void THid::ReceivePayload(std::uint8_t* destination64, int timeoutMs) {
    const Report report = Receive(timeoutMs);
    std::memcpy(destination64, report.data() + 1, kPayloadSize);
}

void THid::ReceiveBytes(std::uint8_t* destination, std::size_t n, int timeoutMs) {
    const Report report = Receive(timeoutMs);
    std::memcpy(destination, report.data() + 1, std::min(n + 1, kPayloadSize));
}

}  // namespace karvo
