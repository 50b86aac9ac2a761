// Jobs of byte-wide EPROMs and EEPROMs: one area, LastAddr + 1 bytes at
// buffer offset 0, read with "eR" and written with "eW".
#include <algorithm>
#include <cstring>

#include "operations/FamilyJobs.h"

namespace karvo {

namespace {
std::uint32_t Length(const JobContext& job) {
    return static_cast<std::uint32_t>(job.device.LastAddr()) + 1;
}

// Buffer bytes from Cursor that one report may cover.
std::uint32_t RoomAt(const JobContext& job) {
    const std::uint32_t allocated = job.buffer.Allocated;
    return job.Cursor < allocated ? std::min<std::uint32_t>(kPayloadSize, allocated - job.Cursor)
                                  : 0;
}

// Sends a read command and waits for its acceptance; false (reported) if the
// programmer did not accept it.
bool StartStream(JobContext& job, const char* command, const char* acceptance) {
    job.SendText(command);
    const std::string reply = job.ReceiveText4();
    if (reply.compare(0, 2, acceptance) == 0) return true;
    job.ReportRefused(command, reply);
    return false;
}

// Reads and drops what is left of a stream, so the next command starts on a
// quiet link. After an Abort the worker still does this, detached from the
// window: otherwise the next operation would take stale data for its reply.
// The bar goes on moving, so the main window can show how far it is.
void Drain(JobContext& job, std::uint32_t offset, std::uint32_t length) {
    std::uint8_t discard[kPayloadSize];
    while (offset < length && !job.LinkLost()) {
        if (!job.ReceivePayload(discard)) break;
        offset += kPayloadSize;
        job.ProgressAdd(kPayloadSize);
    }
}
// Every job works on the whole chip from its first byte: Cursor at the start,
// the bar sized to the chip, then the command. False when it was refused.
bool BeginJob(JobContext& job, const char* command, const char* acceptance) {
    job.Cursor = 0;
    job.ProgressMax(static_cast<int>(Length(job)));
    return StartStream(job, command, acceptance);
}
}  // namespace

void ReadE(JobContext& job) {
    const std::uint32_t length = Length(job);
    if (!BeginJob(job, "eR", "GR")) return;
    std::uint8_t report[kPayloadSize];
    std::uint32_t offset = 0;
    for (; offset < length && job.Running(); offset += kPayloadSize) {
        if (!job.ReceivePayload(report)) break;
        // Whole reports go into the buffer, but never past its storage.
        const std::uint32_t n = RoomAt(job);
        std::memcpy(job.buffer.Data() + job.Cursor, report, n);
        job.Cursor += kPayloadSize;
        job.ProgressAdd(kPayloadSize);
    }
    if (job.Running()) job.Log(" Read Completed");
    if (!job.RunFlag) Drain(job, offset, length);
}

void VerifyE(JobContext& job) {
    const std::uint32_t length = Length(job);
    if (!BeginJob(job, "eR", "GR")) return;
    std::uint8_t report[kPayloadSize];
    std::uint32_t offset = 0;
    while (offset < length && job.Running()) {
        if (!job.ReceivePayload(report)) break;
        for (std::uint32_t i = 0; i < kPayloadSize && offset + i < length; ++i) {
            if (job.buffer[job.Cursor] != report[i]) {
                if (job.RunFlag) job.Log(" Compare Error");
                job.ReportCompareError(report[i]);
                break;
            }
            ++job.Cursor;
        }
        offset += kPayloadSize;
        job.ProgressAdd(kPayloadSize);
    }
    if (job.Running()) job.Log(" Verified OK");
    Drain(job, offset, length);
}

void ProgramE(JobContext& job) {
    const std::uint32_t length = Length(job);
    if (BeginJob(job, "eW", "GW")) {
        std::uint8_t block[kPayloadSize];
        std::uint8_t ack[kPayloadSize];
        // Once started the whole chip is written, Abort or not: a chip left
        // half programmed is worse than a few more seconds. Only a dead link
        // stops it.
        for (std::uint32_t offset = 0; offset < length && job.ErrorCount == 0;
             offset += kPayloadSize) {
            const std::uint32_t n = RoomAt(job);
            std::memset(block, 0xFF, sizeof block);
            std::memcpy(block, job.buffer.Data() + job.Cursor, n);
            job.Cursor += kPayloadSize;
            job.SendBlock(block);
            if (!job.ReceivePayload(ack)) break;
            job.ProgressAdd(kPayloadSize);
        }
        if (job.Running()) job.Log(" Programmed");
    }
    job.clock.SleepMs(100);
}

void BlankE(JobContext& job) {
    const std::uint32_t length = Length(job);
    if (!BeginJob(job, "eR", "GR")) return;
    std::uint8_t report[kPayloadSize];
    std::uint32_t offset = 0;
    while (offset < length && job.Running()) {
        if (!job.ReceivePayload(report)) break;
        const std::uint32_t n = std::min<std::uint32_t>(kPayloadSize, length - offset);
        const bool blank = std::all_of(
            report, report + n, [&](std::uint8_t b) { return b == job.device.BlankValue(); });
        offset += kPayloadSize;
        if (!blank) {
            job.ReportNotBlank();
            break;
        }
        job.ProgressAdd(kPayloadSize);
    }
    if (job.Running()) job.Log(" " + job.device.DevName() + " is blank");
    Drain(job, offset, length);
}

void RunFamilyE(JobContext& job) {
    job.ErrorCount = 0;
    job.ProgressMax(Length(job) > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(Length(job)));
    switch (job.OpCode) {
        case 'P':
            job.Caption("Program");
            ProgramE(job);
            if (job.Running()) {
                job.Log(" Verifying @ Vdd = 5.0V ");
                job.Caption("Verify");
                VerifyE(job);
            }
            break;
        case 'R':
            ReadE(job);
            break;
        case 'V':
            job.Log(" Verifying @ Vdd = 5.0V ");
            job.Caption("Verify");
            VerifyE(job);
            break;
        case 'B':
            BlankE(job);
            break;
        case 'E':
            // These chips are erased by ultraviolet light, or need no erase.
            job.ErrorCount = 1;
            job.Log(" Erase is not possible for " + job.device.DevName() + " with this programmer");
            break;
        default:
            break;
    }
    job.ProgressValue(0);
    job.UpdateChecksum();
    job.CloseProgress();
}

}  // namespace karvo
