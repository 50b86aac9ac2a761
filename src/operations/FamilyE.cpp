// Jobs of byte-wide EPROMs and EEPROMs: one area, LastAddr + 1 bytes at
// buffer offset 0, read with "eR" and written with "eW".
#include "operations/FamilyJobs.h"
#include "operations/JobStreams.h"

namespace karvo {

namespace {
std::uint32_t Length(const JobContext& job) {
    return static_cast<std::uint32_t>(job.device.LastAddr()) + 1;
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
    if (!BeginJob(job, "eR", "GR")) return;
    ReadStream(job, Length(job));
    if (job.Running()) job.Log(" Read Completed");
}

void VerifyE(JobContext& job) {
    if (!BeginJob(job, "eR", "GR")) return;
    CompareStream(job, Length(job), " Compare Error");
    if (job.Running()) job.Log(" Verified OK");
}

void ProgramE(JobContext& job) {
    if (BeginJob(job, "eW", "GW")) {
        WriteBlocks(job, Length(job));
        if (job.Running()) job.Log(" Programmed");
    }
    job.clock.SleepMs(100);
}

void BlankE(JobContext& job) {
    if (!BeginJob(job, "eR", "GR")) return;
    BlankStream(job, Length(job), BlankBytes(job.device.BlankValue(), false));
    if (job.Running()) job.Log(" " + job.device.DevName() + " is blank");
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
