#include "operations/JobStreams.h"

#include <algorithm>
#include <cstring>

namespace karvo {

namespace {
// Buffer bytes from Cursor that one report may cover.
std::uint32_t RoomAt(const JobContext& job) {
    const std::uint32_t allocated = job.buffer.Allocated;
    return job.Cursor < allocated ? std::min<std::uint32_t>(kPayloadSize, allocated - job.Cursor)
                                  : 0;
}

bool Refused(JobContext& job, const std::string& command, const std::string& reply) {
    job.ReportRefused(command, reply);
    return false;
}
}  // namespace

bool StartStream(JobContext& job, const std::string& command, const std::string& acceptance) {
    job.SendText(command);
    const std::string reply = job.ReceiveText4();
    if (reply.compare(0, acceptance.size(), acceptance) == 0) return true;
    return Refused(job, command, reply);
}

bool StartStream(JobContext& job, const std::string& command, char lead, const char* letters) {
    job.SendText(command);
    const std::string reply = job.ReceiveText4();
    if (reply[0] == lead && reply[1] != 0 && std::strchr(letters, reply[1]) != nullptr) return true;
    return Refused(job, command, reply);
}

void Drain(JobContext& job, std::uint32_t offset, std::uint32_t length) {
    std::uint8_t discard[kPayloadSize];
    // The bar goes on moving, so the main window can show how far it is.
    while (offset < length && !job.LinkLost()) {
        if (!job.ReceivePayload(discard)) break;
        offset += kPayloadSize;
        job.ProgressAdd(kPayloadSize);
    }
}

bool ReadStream(JobContext& job, std::uint32_t length, bool onlyTheArea) {
    std::uint8_t report[kPayloadSize];
    std::uint32_t offset = 0;
    for (; offset < length && job.Running(); offset += kPayloadSize) {
        if (!job.ReceivePayload(report)) break;
        // Whole reports go into the buffer, but never past its storage.
        std::uint32_t n = RoomAt(job);
        if (onlyTheArea) n = std::min(n, length - offset);
        std::memcpy(job.buffer.Data() + job.Cursor, report, n);
        job.Cursor += kPayloadSize;
        job.ProgressAdd(kPayloadSize);
    }
    if (offset >= length) return true;
    Drain(job, offset, length);
    return false;
}

bool CompareStream(JobContext& job, std::uint32_t length, const std::string& compareLine) {
    std::uint8_t report[kPayloadSize];
    std::uint32_t offset = 0;
    bool same = true;
    while (offset < length && job.Running() && same) {
        if (!job.ReceivePayload(report)) break;
        for (std::uint32_t i = 0; i < kPayloadSize && offset + i < length; ++i) {
            const bool inBuffer = job.Cursor < job.buffer.Allocated;
            if (!inBuffer || job.buffer[job.Cursor] != report[i]) {
                if (job.RunFlag) job.Log(compareLine);
                job.ReportCompareError(report[i]);
                same = false;
                break;
            }
            ++job.Cursor;
        }
        offset += kPayloadSize;
        job.ProgressAdd(kPayloadSize);
    }
    if (offset >= length && same) return true;
    Drain(job, offset, length);
    return false;
}

BlankPattern BlankBytes(std::uint8_t blank, bool wordPairs) {
    BlankPattern pattern;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = wordPairs && i % 2 == 1 ? 0xFF : blank;
    }
    return pattern;
}

bool BlankStream(JobContext& job, std::uint32_t length, const BlankPattern& blank) {
    std::uint8_t report[kPayloadSize];
    std::uint32_t offset = 0;
    bool isBlank = true;
    while (offset < length && job.Running()) {
        if (!job.ReceivePayload(report)) break;
        // Only the area's own bytes: the rest of a last report is no cell.
        const std::uint32_t n = std::min<std::uint32_t>(kPayloadSize, length - offset);
        offset += kPayloadSize;
        if (std::memcmp(report, blank.data(), n) != 0) {
            job.ReportNotBlank();
            isBlank = false;
            break;
        }
        job.ProgressAdd(kPayloadSize);
    }
    if (offset >= length && isBlank) return true;
    Drain(job, offset, length);
    return false;
}

bool WriteBlocks(JobContext& job, std::uint32_t length) {
    std::uint8_t block[kPayloadSize];
    std::uint8_t ack[kPayloadSize];
    for (std::uint32_t offset = 0; offset < length && job.ErrorCount == 0; offset += kPayloadSize) {
        const std::uint32_t n = RoomAt(job);
        std::memset(block, 0xFF, sizeof block);
        std::memcpy(block, job.buffer.Data() + job.Cursor, n);
        job.Cursor += kPayloadSize;
        job.SendBlock(block);
        if (!job.ReceivePayload(ack)) return false;
        job.ProgressAdd(kPayloadSize);
    }
    return job.ErrorCount == 0;
}

}  // namespace karvo
