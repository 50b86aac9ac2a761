// Jobs of 8051-type and AVR-type microcontrollers: a signature check, then
// the code area read, verified or blank-checked with "mR", written with "mW",
// chip erase with "mE", lock bits with "mw" and read back with "mr".
#include <fmt/format.h>

#include "catalogue/ChipFacts.h"
#include "operations/FamilyJobs.h"
#include "operations/JobStreams.h"
#include "settings/OptionsModel.h"

namespace karvo {

namespace {
// ProgBits: erase before program, the code area, lock bits 1 to 3.
constexpr std::uint8_t kEraseStep = 0x40;
constexpr std::uint8_t kCodeStep = 0x01;
constexpr std::uint8_t kLockSteps = 0x0E;
// Steps 5 and 6 of the options dialog: nothing this programmer does.
constexpr std::uint8_t kOtherSteps = 0x30;

// A chip erase ends when the programmer says "Done"; large flash parts take
// seconds. Abort ends the wait at once.
constexpr int kEraseTimeoutMs = 30000;

std::uint32_t Length(const JobContext& job) {
    return static_cast<std::uint32_t>(job.device.LastAddr()) + 1;
}

bool HasChipErase(const DeviceRecord& device) {
    return (device.ButtonCaps2() & 0x01) != 0;
}

// The parts whose lock bits are read after a Read, by their signature.
bool ReadsLockBits(const DeviceRecord& d) {
    if (d.ManufId() != 0x1E) return false;
    const std::uint8_t id = d.DevId();
    const std::uint8_t id2 = d.DevId2();
    return (id == 0x52 && id2 == 0x06) || (id == 0x55 && id2 == 0x06) ||
           (id == 0x51 && id2 == 0x07) || id == 0x72 || id == 0x73 || id == 0x53 ||
           d.Algorithm() == micro::kAlgorithmClassicAvr ||
           d.Algorithm() == micro::kAlgorithmPageAvr;
}

// The AVRs end a Program after the code area: their lock bits are fuses.
bool CodeEndsTheProgram(const DeviceRecord& d) {
    return d.Algorithm() == micro::kAlgorithmClassicAvr ||
           d.Algorithm() == micro::kAlgorithmPageAvr;
}

// Every job on the code area starts the same: Cursor at the start, the bar
// sized to the area, then the command.
bool BeginCodeJob(JobContext& job, const char* command, const char* acceptance) {
    job.Cursor = 0;
    job.ProgressMax(static_cast<int>(Length(job)));
    return StartStream(job, command, acceptance);
}

// Captions the options dialog gives a step, for telling the user which of
// them was left out.
std::string StepCaption(const DeviceRecord& device, int step) {
    OptionFlags flags;
    bool sound = false;
    OptionsModel model(device, flags, sound);
    model.Prepare();
    return model.State(OptionsModel::StepBox(step)).caption;
}
}  // namespace

bool CheckSignatureM(JobContext& job) {
    if (!job.options.Id_flag) return true;
    for (;;) {
        job.SendText("mI");
        const std::string reply = job.ReceiveText4();
        if (job.LinkLost()) return false;
        // A programmer that cannot read signatures passes the check over.
        if (reply.compare(0, 2, "GI") != 0) return true;
        std::uint8_t signature[kPayloadSize];
        if (!job.ReceivePayload(signature)) return false;
        const DeviceRecord& d = job.device;
        if (signature[0] == d.ManufId() && signature[1] == d.DevId() &&
            signature[2] == d.DevId2()) {
            return true;
        }
        const Answer answer = job.AskAbortRetryIgnore(
            "CHIP_ID Error", fmt::format("ID: 30=0x{:X} 31=0x{:X} 32=0x{:X} ", signature[0],
                                         signature[1], signature[2]));
        if (answer == Answer::Abort) return false;
        if (answer == Answer::Ignore) return true;
    }
}

void ReadLockBitsM(JobContext& job) {
    if (!StartStream(job, "mr", "Gr")) return;
    std::uint8_t report[kPayloadSize];
    if (!job.ReceivePayload(report)) return;
    const std::uint8_t lock = report[0];
    if (job.device.DevId() != 0x52 && job.device.DevId() != 0x51) return;
    for (int bit = 1; bit <= 3; ++bit) {
        const bool programmed = (lock >> (bit + 1)) & 1;
        job.Log(fmt::format(" LockBit {} = {}", bit, programmed ? 'P' : 'U'));
    }
}

void ReadM(JobContext& job) {
    if (!BeginCodeJob(job, "mR", "GR")) return;
    // Only the code area's own bytes: the data EEPROM follows it in the buffer.
    ReadStream(job, Length(job), true);
    if (!job.Running()) return;
    job.Log(" Read Completed");
    if (ReadsLockBits(job.device)) ReadLockBitsM(job);
}

void VerifyM(JobContext& job) {
    if (!BeginCodeJob(job, "mR", "GR")) return;
    CompareStream(job, Length(job), " Code Area Compare Error");
    if (job.Running()) job.Log(" Code Area Verified OK");
}

void BlankM(JobContext& job) {
    if (!BeginCodeJob(job, "mR", "GR")) return;
    BlankStream(job, Length(job), BlankBytes(0xFF, false));
    if (job.Running() && job.AreaCode == 'P') job.Log(" Code Area Clean");
}

void ProgramM(JobContext& job) {
    job.Cursor = 0;
    if (job.AreaCode >= '1' && job.AreaCode <= '3') {
        // Lock bit 1, 2 or 3: "mw", then the bit's code and "w"; neither reply
        // says anything.
        std::uint8_t report[kPayloadSize];
        job.SendText("mw");
        job.ReceivePayload(report);
        std::uint8_t code[kPayloadSize] = {};
        code[0] = static_cast<std::uint8_t>(0xE0 + (job.AreaCode - '0'));
        code[1] = 'w';
        job.SendBlock(code);
        job.ReceivePayload(report);
        if (job.Running()) job.Log(fmt::format(" Lockbit {} Programmed", job.AreaCode));
        return;
    }
    if (!BeginCodeJob(job, "mW", "GW")) return;
    WriteBlocks(job, Length(job));
    if (job.Running()) job.Log(" Programmed");
}

bool EraseM(JobContext& job) {
    job.SendText("mE");
    std::uint8_t first[kPayloadSize];
    if (!job.ReceivePayload(first)) return false;
    const std::string done = job.ReceiveText4(kEraseTimeoutMs);
    if (job.LinkLost() || !job.RunFlag) return false;
    if (done != "Done") {
        // Programming over a chip that was not erased would go wrong in a way
        // the verify only half shows.
        job.ErrorCount = 1;
        job.Log(" Erase of " + job.device.DevName() + " did not complete");
        return false;
    }
    job.ProgressValue(0);
    job.AreaCode = 'P';
    job.Log(" Erase Completed ");
    BlankM(job);
    return job.ErrorCount == 0;
}

namespace {
// One step of an operation, with the frame every step has.
template <typename Step>
bool RunStep(JobContext& job, Step step) {
    job.ErrorCount = 0;
    job.ProgressMax(job.device.LastAddr());
    step();
    job.ProgressValue(0);
    job.UpdateChecksum();
    return job.Running();
}

void RunVerify(JobContext& job) {
    job.ProgressValue(0);
    job.Log(" Verifying @ Vdd = 5.0V ");
    job.Caption("Verify");
    VerifyM(job);
}

bool RunErase(JobContext& job) {
    job.Caption("Erase");
    if (!HasChipErase(job.device)) {
        job.ErrorCount = 1;
        job.Log(" Erase is not possible for " + job.device.DevName() + " with this programmer");
        return false;
    }
    return EraseM(job);
}

// The steps of a Program, in order: erase, code (with its verify), lock
// bits 1, 2 and 3; each only when chosen. Steps the options offer but this
// programmer has no job for are left out, and the user is told once.
void ProgramSequence(JobContext& job) {
    const std::uint8_t offered = job.device.StepCaps();
    const std::uint8_t chosen = job.options.ProgBits & offered;
    if (const std::uint8_t other = chosen & kOtherSteps) {
        std::string names;
        for (int step = 5; step <= 6; ++step) {
            if (!((other >> (step - 1)) & 1)) continue;
            names += (names.empty() ? "" : ", ") + StepCaption(job.device, step);
        }
        job.Log(" Not done by this programmer: " + names);
    }
    if (chosen & kEraseStep) {
        if (!RunStep(job, [&] { RunErase(job); })) return;
    }
    if (chosen & kCodeStep) {
        job.AreaCode = 'P';
        const bool programmed = RunStep(job, [&] {
            job.Caption("Program");
            job.ProgressValue(0);
            ProgramM(job);
            if (job.Running()) RunVerify(job);
        });
        if (!programmed || CodeEndsTheProgram(job.device)) return;
    }
    for (int bit = 1; bit <= 3; ++bit) {
        if (!((chosen >> bit) & 1) || !(kLockSteps & (1 << bit))) continue;
        // The lock bits go in once the code has settled.
        if (bit == 1) job.clock.SleepMs(500);
        job.AreaCode = static_cast<char>('0' + bit);
        if (!RunStep(job, [&] {
                job.Caption("Program");
                ProgramM(job);
            })) {
            return;
        }
    }
}
}  // namespace

void RunFamilyM(JobContext& job) {
    job.ErrorCount = 0;
    if (job.options.ProgBits == 0) job.options.ProgBits = 1;
    switch (job.OpCode) {
        case 'P':
            ProgramSequence(job);
            break;
        case 'E':
            RunStep(job, [&] { RunErase(job); });
            break;
        case 'R':
            job.AreaCode = 'P';
            RunStep(job, [&] { ReadM(job); });
            break;
        case 'B':
            job.AreaCode = 'P';
            RunStep(job, [&] { BlankM(job); });
            break;
        case 'V':
            job.AreaCode = 'P';
            RunStep(job, [&] { RunVerify(job); });
            break;
        default:
            break;
    }
    job.CloseProgress();
}

}  // namespace karvo
