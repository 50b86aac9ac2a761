#include "firmware/Comm.h"

#include <algorithm>

namespace karvo {

FamilyParameters ParametersOfFamily(int familyCode) {
    switch (familyCode) {
        case 2:
            return {4, 2, 4, 2};
        case 3:
            return {4, 1, 2, 1};
        case 4:
            return {2, 2, 2, 1};
        default:
            return {2, 1, 2, 1};
    }
}

namespace {
bool IsBootloader(const HidDeviceInfo& info) {
    return info.vendorId == kBootloaderVendorId && info.productId == kBootloaderProductId;
}

// How far through [0, span) a transfer is, as the bar of one third of the
// whole update that starts at base.
int ThirdOfBar(std::uint64_t done, std::uint64_t span, int base) {
    const auto percent = static_cast<int>(std::min<std::uint64_t>(100, done * 100 / span));
    return percent / 3 + base;
}

// A time-out is counted in windows of kWindowMs. A transport that gives up
// without letting time pass still spends at least its slice per attempt, so
// the count ends whatever the clock does.
class Stopwatch {
  public:
    Stopwatch(Clock& clock, int windows) : clock_(clock), windows_(windows) { Restart(); }
    // After one more fruitless attempt: true once every window has run out.
    bool Expired() {
        waited_ += Comm::kSliceMs;
        const std::int64_t elapsed = std::max(clock_.NowMs() - start_, waited_);
        if (elapsed <= Comm::kWindowMs) return false;
        Restart();
        return --windows_ == 0;
    }

  private:
    void Restart() {
        start_ = clock_.NowMs();
        waited_ = 0;
    }
    Clock& clock_;
    int windows_;
    std::int64_t start_ = 0;
    std::int64_t waited_ = 0;
};
}  // namespace

Comm::Comm(HidBackend& usb, Clock& clock) : usb_(usb), clock_(clock) {}

Comm::~Comm() {
    CloseBootloader();
}

bool Comm::IsPresent() {
    const auto devices = usb_.Enumerate();
    present_ = std::any_of(devices.begin(), devices.end(), IsBootloader);
    return present_;
}

int Comm::OpenBootloader() {
    transport_.reset();
    for (const HidDeviceInfo& info : usb_.Enumerate()) {
        if (!IsBootloader(info)) continue;
        present_ = true;
        transport_ = usb_.OpenPath(info.path);
        return transport_ ? 0 : 1;
    }
    return 1;
}

void Comm::CloseBootloader() {
    transport_.reset();
}

CommResult Comm::Fail() {
    CloseBootloader();
    return CommResult::Failed;
}

CommResult Comm::WritePacket(const BootPacket& packet) {
    if (!transport_) return CommResult::NotConnected;
    Stopwatch stopwatch(clock_, kWriteWindows);
    for (;;) {
        switch (transport_->WriteWithin(packet, kSliceMs)) {
            case WriteStatus::Ok:
                return CommResult::Success;
            case WriteStatus::Failed:
                return Fail();
            case WriteStatus::TimedOut:
                break;
        }
        if (stopwatch.Expired()) return CommResult::TimedOut;
    }
}

CommResult Comm::ReadPacket(BootReply& reply) {
    if (!transport_) return CommResult::NotConnected;
    Stopwatch stopwatch(clock_, kReadWindows);
    for (;;) {
        Report report{};
        switch (transport_->Read(report, kSliceMs)) {
            case ReadStatus::Ok:
                // The transport keeps the report ID in front; the reply starts
                // with the command.
                std::copy(report.begin() + 1, report.end(), reply.begin());
                reply.back() = 0;
                return CommResult::Success;
            case ReadStatus::Failed:
                return Fail();
            case ReadStatus::TimedOut:
                break;
        }
        if (stopwatch.Expired()) return CommResult::TimedOut;
    }
}

CommResult Comm::SendCommand(std::uint8_t command) {
    if (!transport_) return CommResult::NotConnected;
    BootPacket packet{};
    packet[1] = command;
    return WritePacket(packet);
}

CommResult Comm::Ask(std::uint8_t command, BootReply& reply) {
    const CommResult sent = SendCommand(command);
    if (sent != CommResult::Success) return sent;
    reply.fill(0);
    // A read that failed or timed out says so: silence is no wrong answer.
    const CommResult read = ReadPacket(reply);
    if (read != CommResult::Success) return read;
    return reply[0] == command ? CommResult::Success : CommResult::IncorrectCommand;
}

CommResult Comm::GetQuery(BootReply& reply) {
    return Ask(BootCommand::Query, reply);
}

CommResult Comm::GetExtendedInfo(BootReply& reply) {
    return Ask(BootCommand::QueryExtendedInfo, reply);
}

CommResult Comm::SendErase() {
    return SendCommand(BootCommand::Erase);
}

CommResult Comm::SendReset() {
    return SendCommand(BootCommand::Reset);
}

CommResult Comm::SendSign() {
    const CommResult sent = SendCommand(BootCommand::SignFlash);
    if (sent != CommResult::Success) return sent;
    BootReply scratch{};
    return GetQuery(scratch);
}

CommResult Comm::Program(std::uint32_t address, int payloadSize, int bytesPerAddress,
                         int bytesPerWord, int familyCode, std::uint32_t endAddress,
                         std::span<const std::uint8_t> data, const Progress& progress) {
    if (bytesPerAddress <= 0 || bytesPerWord <= 0 || address > endAddress) {
        return CommResult::Failed;
    }
    // The payload sits behind a six-byte header: more would overwrite it,
    // and a payload below one word would never move the address on.
    if (payloadSize < 1 || payloadSize > kMostPayload) return CommResult::Failed;
    const int payload = payloadSize - payloadSize % bytesPerWord;
    if (payload <= 0 || payload % bytesPerAddress != 0) return CommResult::Failed;
    const std::uint64_t regionBytes =
        static_cast<std::uint64_t>(endAddress - address) * static_cast<unsigned>(bytesPerAddress);
    if (data.size() < regionBytes) return CommResult::Failed;
    if (!Connected()) return CommResult::NotConnected;

    const std::uint64_t end = endAddress;
    const std::uint64_t span = std::max<std::uint64_t>(end - address, 1);
    const std::uint64_t step = static_cast<unsigned>(payload / bytesPerAddress);
    std::uint8_t lastCommand = BootCommand::Program;
    bool pending = false;
    std::size_t offset = 0;
    for (std::uint64_t at = address; at < end; at += step) {
        if (progress) progress(ThirdOfBar(at - address, span, 33));
        BootPacket packet{};
        packet[1] = BootCommand::Program;
        WriteLe32(&packet[2], static_cast<std::uint32_t>(at));
        const std::uint64_t left = (end - at) * static_cast<unsigned>(bytesPerAddress);
        const int taken =
            left < static_cast<std::uint64_t>(payload) ? static_cast<int>(left) : payload;
        // A short last packet is padded with erased bytes after its data, up
        // to a whole word: the words it writes start where the data starts.
        const int length = (taken + bytesPerWord - 1) / bytesPerWord * bytesPerWord;
        const std::size_t first = kReportSize - static_cast<std::size_t>(length);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), taken,
                    packet.begin() + static_cast<std::ptrdiff_t>(first));
        std::fill(packet.begin() + static_cast<std::ptrdiff_t>(first) + taken, packet.end(),
                  std::uint8_t{0xFF});
        packet[6] = static_cast<std::uint8_t>(length);

        bool blank = true;
        for (std::size_t p = first; p < kReportSize && blank; ++p) {
            // Family 2 words carry a phantom fourth byte nobody programs.
            if (familyCode == 2 && (p - first) % static_cast<unsigned>(bytesPerWord) == 3) continue;
            blank = packet[p] == 0xFF;
        }
        if (!blank) {
            const CommResult sent = WritePacket(packet);
            if (sent != CommResult::Success) return sent;
            pending = true;
            lastCommand = BootCommand::Program;
        } else if (pending) {
            BootPacket complete{};
            complete[1] = BootCommand::ProgramComplete;
            const CommResult sent = WritePacket(complete);
            if (sent != CommResult::Success) return sent;
            pending = false;
            lastCommand = BootCommand::ProgramComplete;
        }
        offset += static_cast<std::size_t>(taken);
    }
    if (progress) progress(ThirdOfBar(span, span, 33));
    if (lastCommand == BootCommand::ProgramComplete) return CommResult::Success;
    BootPacket complete{};
    complete[1] = BootCommand::ProgramComplete;
    return WritePacket(complete);
}

CommResult Comm::GetData(std::uint32_t address, int payloadSize, int bytesPerAddress,
                         std::uint32_t endAddress, std::span<std::uint8_t> buffer,
                         const Progress& progress) {
    if (!Connected()) return CommResult::NotConnected;
    if (bytesPerAddress <= 0 || endAddress < address || payloadSize <= 0) {
        return CommResult::Failed;
    }
    // Whole addresses per reply, and never more than a reply can hold.
    int payload = std::min(payloadSize, kMostPayload);
    payload -= payload % bytesPerAddress;
    if (payload <= 0) return CommResult::Failed;
    const std::uint64_t end = endAddress;
    if (buffer.size() < (end - address) * static_cast<unsigned>(bytesPerAddress)) {
        return CommResult::Failed;
    }
    const std::uint64_t span = std::max<std::uint64_t>(end - address, 1);
    std::size_t offset = 0;
    for (std::uint64_t at = address; at < end;) {
        if (progress) progress(ThirdOfBar(at - address, span, 67));
        const std::uint64_t left = (end - at) * static_cast<unsigned>(bytesPerAddress);
        const int wanted = static_cast<int>(std::min<std::uint64_t>(left, payload));
        BootPacket packet{};
        packet[1] = BootCommand::GetData;
        WriteLe32(&packet[2], static_cast<std::uint32_t>(at));
        packet[6] = static_cast<std::uint8_t>(wanted);
        const CommResult sent = WritePacket(packet);
        if (sent != CommResult::Success) return sent;
        BootReply reply{};
        const CommResult read = ReadPacket(reply);
        if (read != CommResult::Success) return read;
        // Only the answer to this very request is data: anything else would
        // land in the wrong place or run past the buffer.
        if (reply[0] != BootCommand::GetData || ReadLe32(&reply[1]) != at || reply[5] != wanted) {
            return CommResult::IncorrectCommand;
        }
        std::copy_n(reply.begin() + (kPayloadSize - static_cast<std::size_t>(wanted)), wanted,
                    buffer.begin() + static_cast<std::ptrdiff_t>(offset));
        at += static_cast<unsigned>(wanted / bytesPerAddress);
        offset += static_cast<std::size_t>(wanted);
    }
    if (progress) progress(ThirdOfBar(span, span, 67));
    return CommResult::Success;
}

}  // namespace karvo
