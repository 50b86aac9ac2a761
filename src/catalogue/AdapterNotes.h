#pragma once
#include <string>

#include "catalogue/DeviceRecord.h"

namespace karvo {

// The adapter label and the comment line for a device: the adapter or wiring
// note of its Adapter code, then encryption, data EEPROM and memory-block
// notes. Later notes replace earlier comments.
struct AdapterNotes {
    std::string adapter;  // AdapL
    std::string comment;  // ComL
};

AdapterNotes NotesFor(const DeviceRecord& device);

// Panel texts of a device.
std::string FormatId(std::uint8_t id);          // "0x%.2X"
std::string FormatSize(std::int32_t lastAddr);  // "0x%X" of LastAddr + 1
std::string FormatVoltage(float volts);         // "%5.2fV"

}  // namespace karvo
