#pragma once
#include <cstdint>
#include <string>

namespace karvo {

// General options and programming steps.
struct OptionFlags {
    std::uint8_t ProgBits = 0;
    bool Id_flag = true;
    bool Test_flag = true;
    bool MaxMin_flag = true;
};

// Everything that survives a restart.
struct PersistedValues {
    bool SoundON = true;
    OptionFlags flags;
    std::int32_t ManufIndex = 0;
    std::int32_t DeviceIndex = 0;
    std::string DataFileName = "KARVO_e.usb";
    std::string LoadSaveDir;  // offered by Load and Save
    std::string ProgramDir;   // where the data files and sounds live
};

}  // namespace karvo
