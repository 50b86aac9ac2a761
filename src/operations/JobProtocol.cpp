#include "operations/JobProtocol.h"

#include <fmt/format.h>

#include "catalogue/ChipFacts.h"

namespace karvo {

ParameterBlock BuildParameterBlock(const DeviceRecord& device) {
    ParameterBlock block{};
    const auto size = static_cast<std::uint32_t>(device.LastAddr()) + 1;
    block[0] = 'V';
    block[1] = static_cast<std::uint8_t>(size >> 8);
    block[2] = static_cast<std::uint8_t>(size);
    block[3] = static_cast<std::uint8_t>(device.Family());
    block[4] = device.Algorithm();
    if (device.Family() == Family::Pic) {
        const std::uint32_t n = PicDataAreaBytes(device);
        block[5] = static_cast<std::uint8_t>(n >> 8);
        block[6] = static_cast<std::uint8_t>(n);
        block[7] = device.AlgoParam();
        block[8] = device.ConfigType();
    }
    return block;
}

void JobReporter::ReportError(int code, std::uint8_t value, const DeviceRecord& device,
                              const MemoryBuffer& buffer, std::uint32_t cursor) {
    errorCount_ = 1;
    if (!runFlag_) return;
    if (code == 11) {
        const std::uint8_t ram = cursor < buffer.Allocated ? buffer[cursor] : 0;
        log_.AppendLine(fmt::format("  Compare Error @ 0x{:05X} Ram = 0x{:02X} {} = 0x{:02X}",
                                    cursor, ram, device.DevName(), value));
    } else if (code == 12) {
        log_.AppendLine(" " + device.DevName() + " not blank");
    }
}

void JobReporter::ReportSuccess(int code) {
    if (!runFlag_) return;
    if (code == 10) log_.AppendLine(" Parameters sent OK");
}

bool SendParameters(THid& link, const DeviceRecord& device, Clock& clock, JobReporter& reporter,
                    std::atomic<std::uint8_t>& errorCount) {
    const ParameterBlock block = BuildParameterBlock(device);
    link.SendPayload(block.data());
    clock.SleepMs(5);
    std::uint8_t reply[kPayloadSize];
    link.ReceivePayload(reply);
    if (reply[0] == 'O' && reply[1] == 'K') {
        reporter.ReportSuccess(10);
        return true;
    }
    ++errorCount;
    return false;
}

}  // namespace karvo
