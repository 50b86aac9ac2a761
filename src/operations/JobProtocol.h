#pragma once
#include <array>
#include <atomic>
#include <cstdint>

#include "buffer/MemoryBuffer.h"
#include "catalogue/DeviceRecord.h"
#include "link/THid.h"
#include "ports/Clock.h"
#include "ports/LogPort.h"

namespace karvo {

using ParameterBlock = std::array<std::uint8_t, kPayloadSize>;

// The block that tells the programmer which chip sits in the socket. Sizes
// travel as their low 16 bits, big-endian.
ParameterBlock BuildParameterBlock(const DeviceRecord& device);

// Result lines of the device jobs. Errors always count; lines are written
// only while the operation has not been aborted.
class JobReporter {
  public:
    JobReporter(LogPort& log, std::atomic<bool>& runFlag, std::atomic<std::uint8_t>& errorCount)
        : log_(log), runFlag_(runFlag), errorCount_(errorCount) {}

    // 11: compare error at buffer offset `cursor` (the job's own position);
    // 12: not blank.
    void ReportError(int code, std::uint8_t value, const DeviceRecord& device,
                     const MemoryBuffer& buffer, std::uint32_t cursor);
    // 10: parameters sent.
    void ReportSuccess(int code);

  private:
    LogPort& log_;
    std::atomic<bool>& runFlag_;
    std::atomic<std::uint8_t>& errorCount_;
};

// Sends the parameter block and checks the "OK" reply. True when accepted.
bool SendParameters(THid& link, const DeviceRecord& device, Clock& clock, JobReporter& reporter,
                    std::atomic<std::uint8_t>& errorCount);

}  // namespace karvo
