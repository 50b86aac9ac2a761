// Jobs of PIC-type microcontrollers: up to four areas (code, data EEPROM, ID
// locations, configuration), each started with "p" and the area's letter,
// lower case to read from the chip, upper case to program it; "pE" erases
// the chip.
#include "catalogue/ChipFacts.h"
#include "operations/FamilyJobs.h"
#include "operations/JobStreams.h"

namespace karvo {

namespace {
// ProgBits: erase before program; the areas code, data, ID, configuration.
// Bit 3 (calibration) and bit 5 name no area this programmer transfers.
constexpr std::uint8_t kEraseStep = 0x40;
constexpr std::uint8_t kCodeStep = 0x01;

// "pE" answers twice: at once, and when the erase is over. Abort ends the
// wait at once.
constexpr int kEraseTimeoutMs = 30000;

// What a job does with an area decides the code area's length: the
// calibration word some parts keep last is read, but never programmed,
// verified or blank-checked.
enum class Use { Read, Write, Blank };

struct AreaSetup {
    char letter = 0;  // lower case; the upper case programs
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    const char* name = "";  // as the result lines say it
    bool config = false;
};

// The area of AreaCode 'P', '1', '2' or '4', its buffer offset from the one
// place the buffer layout is kept.
AreaSetup Setup(const DeviceRecord& d, char areaCode, Use use) {
    const PicAreas areas = PicAreasFor(d);
    switch (areaCode) {
        case '1':
            return {'d', areas.dataOffset.value_or(0), PicDataAreaBytes(d), "Data Area"};
        case '2':
            return {'i', areas.idOffset, 8, "ID Bytes"};
        case '4':
            return {'k', areas.configOffset, d.ConfigCount(), "Config Bytes", true};
        default:
            break;
    }
    std::uint32_t length = static_cast<std::uint32_t>(d.LastAddr()) + 1;
    if ((use == Use::Write && KeepsCalibrationWord(d)) ||
        (use == Use::Blank && BlankCheckSkipsLastWord(d))) {
        length -= 2;
    }
    return {'c', 0, length, "Code Area"};
}

AreaSetup Setup(const JobContext& job, Use use) {
    return Setup(job.device, job.AreaCode, use);
}

std::string Command(const AreaSetup& area, bool write) {
    const char letter = write ? static_cast<char>(area.letter - 'a' + 'A') : area.letter;
    return std::string("p") + letter;
}

// The command and its acceptance: "G" and the very letter asked for.
bool Begin(JobContext& job, const AreaSetup& area, bool write) {
    const std::string command = Command(area, write);
    return StartStream(job, command, 'G', command.c_str() + 1);
}

void Line(JobContext& job, const AreaSetup& area, const char* what) {
    job.Log(std::string(" ") + area.name + " " + what);
}
}  // namespace

void ReadC(JobContext& job) {
    const AreaSetup area = Setup(job, Use::Read);
    if (!Begin(job, area, false)) return;
    job.Caption("Reading ");
    job.ProgressMax(static_cast<int>(area.length));
    job.Cursor = area.offset;
    if (area.config) {
        // The configuration comes in one report; bits the part does not
        // implement read as anything and are kept as 0.
        std::uint8_t report[kPayloadSize];
        if (!job.ReceivePayload(report)) return;
        for (std::uint32_t i = 0; i < area.length && job.RunFlag; ++i, ++job.Cursor) {
            if (job.Cursor < job.buffer.Allocated) {
                job.buffer[job.Cursor] = report[i] & job.device.ConfigMask(i);
            }
            job.ProgressAdd(1);
        }
    } else {
        ReadStream(job, area.length, true);
    }
    if (job.Running()) Line(job, area, "Read");
}

void VerifyC(JobContext& job) {
    const AreaSetup area = Setup(job, Use::Write);
    if (!Begin(job, area, false)) return;
    job.Caption("Verifying ");
    job.ProgressMax(static_cast<int>(area.length));
    job.Cursor = area.offset;
    const std::string compareLine = std::string(" ") + area.name + " Compare Error";
    if (area.config) {
        std::uint8_t report[kPayloadSize];
        if (!job.ReceivePayload(report)) return;
        for (std::uint32_t i = 0; i < area.length && job.Running(); ++i) {
            const std::uint8_t mask = job.device.ConfigMask(i);
            const std::uint8_t chip = report[i] & mask;
            const bool inBuffer = job.Cursor < job.buffer.Allocated;
            if (!inBuffer || (job.buffer[job.Cursor] & mask) != chip) {
                if (job.RunFlag) job.Log(compareLine);
                job.ReportCompareError(chip);
                return;
            }
            ++job.Cursor;
            job.ProgressAdd(1);
        }
    } else if (!CompareStream(job, area.length, compareLine)) {
        return;
    }
    if (job.Running()) Line(job, area, "Verified");
}

void ProgramC(JobContext& job) {
    const AreaSetup area = Setup(job, Use::Write);
    if (!Begin(job, area, true)) return;
    job.Caption("Programming ");
    job.ProgressMax(static_cast<int>(area.length));
    job.ProgressValue(0);
    job.Cursor = area.offset;
    // The ID and configuration areas go as one block from their offset.
    WriteBlocks(job, area.length);
    if (job.Running()) Line(job, area, "Programmed");
}

void BlankC(JobContext& job) {
    const AreaSetup area = Setup(job, Use::Blank);
    if (!Begin(job, area, false)) return;
    job.Caption("Blank");
    job.ProgressMax(static_cast<int>(area.length));
    job.Cursor = area.offset;
    const BlankPattern blank = BlankBytes(job.device.BlankValue(), true);
    if (area.config) {
        // Judged through the masks: an unimplemented bit may read either way.
        std::uint8_t report[kPayloadSize];
        if (!job.ReceivePayload(report)) return;
        for (std::uint32_t i = 0; i < area.length; ++i) {
            const std::uint8_t mask = job.device.ConfigMask(i);
            if ((report[i] & mask) != (blank[i] & mask)) {
                job.ReportNotBlank();
                return;
            }
        }
        job.ProgressAdd(static_cast<int>(area.length));
    } else if (!BlankStream(job, area.length, blank)) {
        return;
    }
    if (job.Running()) Line(job, area, "Blank");
}

bool EraseC(JobContext& job) {
    if (!StartStream(job, "pE", "GE")) return false;
    // The second report says the erase is over; what it says is not
    // examined: the blank check that follows is the proof.
    job.ReceiveText4(kEraseTimeoutMs);
    if (!job.Running()) return false;
    job.Log(" Erase Completed");
    job.AreaCode = 'P';
    BlankC(job);
    return job.Running();
}

namespace {
// One step of an operation, with the frame every step has.
template <typename Step>
bool RunStep(JobContext& job, Step step) {
    job.ErrorCount = 0;
    job.ProgressMax(job.device.LastAddr());
    job.ProgressValue(0);
    step();
    job.ProgressValue(0);
    // No checksum between areas: the next area's read would be writing the
    // buffer while the window sums it. The engine sums it once the worker
    // has ended.
    return job.Running();
}

bool RunErase(JobContext& job) {
    job.Caption("Erase");
    if ((job.device.ButtonCaps2() & 0x01) == 0) {
        job.ErrorCount = 1;
        job.Log(" Erase is not possible for " + job.device.DevName() + " with this programmer");
        return false;
    }
    return EraseC(job);
}

// The areas an operation walks, in this order: their AreaCode and step bit.
struct AreaStep {
    char areaCode;
    std::uint8_t bit;
};
constexpr AreaStep kAreaSteps[] = {{'P', 0x01}, {'1', 0x02}, {'2', 0x04}, {'4', 0x10}};

// The steps chosen for this operation, without any for an area the part
// lacks: a letter the chip has no area for is never sent.
std::uint8_t ChosenSteps(const DeviceRecord& d, std::uint8_t progBits, char opCode) {
    const std::uint8_t offered = d.StepCaps() & (PicAreaSteps(d) | kEraseStep);
    if (opCode == 'E') return offered;
    std::uint8_t chosen = progBits & offered;
    // As with no steps at all, the code area is what is meant.
    if ((chosen & ~kEraseStep) == 0) chosen |= kCodeStep;
    return chosen;
}
}  // namespace

std::vector<ComparedArea> PicVerifiedAreas(const DeviceRecord& device, std::uint8_t progBits) {
    // As RunFamilyC: no steps at all means the code area.
    const std::uint8_t steps = ChosenSteps(device, progBits == 0 ? 1 : progBits, 'V');
    std::vector<ComparedArea> compared;
    for (const AreaStep& step : kAreaSteps) {
        if (!(steps & step.bit)) continue;
        const AreaSetup area = Setup(device, step.areaCode, Use::Write);
        compared.push_back({area.offset, area.length, area.config});
    }
    return compared;
}

void RunFamilyC(JobContext& job) {
    job.ErrorCount = 0;
    if (job.options.ProgBits == 0) job.options.ProgBits = 1;
    const std::uint8_t steps = ChosenSteps(job.device, job.options.ProgBits, job.OpCode);
    const char op = job.OpCode;

    bool going = true;
    if (op == 'E' || (op == 'P' && (steps & kEraseStep))) {
        // The erase blank-checks the code area; an Erase operation then the
        // further areas too.
        going = RunStep(job, [&] { RunErase(job); });
    }
    for (const AreaStep& area : kAreaSteps) {
        if (!going) break;
        if (!(steps & area.bit)) continue;
        if (op == 'E' && area.areaCode == 'P') continue;  // checked by the erase
        job.AreaCode = area.areaCode;
        going = RunStep(job, [&] {
            switch (op) {
                case 'R':
                    ReadC(job);
                    break;
                case 'V':
                    job.Caption("Verify");
                    VerifyC(job);
                    break;
                case 'B':
                case 'E':
                    BlankC(job);
                    break;
                case 'P':
                    job.Caption("Program");
                    ProgramC(job);
                    if (job.Running()) {
                        job.ProgressValue(0);
                        job.Caption("Verify");
                        VerifyC(job);
                    }
                    break;
                default:
                    break;
            }
        });
    }
    job.CloseProgress();
}

}  // namespace karvo
