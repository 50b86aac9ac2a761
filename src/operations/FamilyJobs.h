#pragma once
#include "operations/JobContext.h"

namespace karvo {

// Byte-wide EPROMs and EEPROMs.
void RunFamilyE(JobContext& job);
void ReadE(JobContext& job);
void VerifyE(JobContext& job);
void ProgramE(JobContext& job);
void BlankE(JobContext& job);

}  // namespace karvo
