#pragma once
#include <vector>

#include "operations/JobContext.h"

namespace karvo {

// 8051-type and AVR-type microcontrollers. CheckSignatureM runs first; false
// when the user aborted (or the programmer fell silent).
bool CheckSignatureM(JobContext& job);
void RunFamilyM(JobContext& job);
void ReadM(JobContext& job);
void VerifyM(JobContext& job);
void ProgramM(JobContext& job);
bool EraseM(JobContext& job);
void BlankM(JobContext& job);
void ReadLockBitsM(JobContext& job);

// PIC-type microcontrollers, area by area (the job's AreaCode).
void RunFamilyC(JobContext& job);
void ReadC(JobContext& job);
void VerifyC(JobContext& job);
void ProgramC(JobContext& job);
bool EraseC(JobContext& job);
void BlankC(JobContext& job);

// What a Verify compares: buffer areas, the configuration bytes through the
// part's masks.
struct ComparedArea {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    bool configMasked = false;
};
std::vector<ComparedArea> PicVerifiedAreas(const DeviceRecord& device, std::uint8_t progBits);

// Byte-wide EPROMs and EEPROMs.
void RunFamilyE(JobContext& job);
void ReadE(JobContext& job);
void VerifyE(JobContext& job);
void ProgramE(JobContext& job);
void BlankE(JobContext& job);

}  // namespace karvo
