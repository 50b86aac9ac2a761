#pragma once
#include <array>
#include <cstdint>

namespace karvo {

// The configuration values of every family but 'C', which keeps its own in
// the buffer. Zero when the program starts and kept until it ends: not saved,
// not loaded, not reset by selecting a device. Only the configuration dialog
// reads it; no device operation sends it to the programmer.
struct ConfigBitsState {
    std::uint8_t FuseLow = 0;  // also the fuse byte of the 8051 pages
    std::uint8_t FuseHigh = 0;
    std::uint8_t FuseExt = 0;
    std::uint8_t LockBits = 0;  // bits 1..0 LB2, LB1; 3..2 BLB02, BLB01; 5..4 BLB12, BLB11
    std::uint8_t CalibByte = 0;
    std::array<std::uint8_t, 4> CalibTable{};  // CAL0 .. CAL3; nothing fills them
    std::uint8_t CalibIndex = 0;               // 1 .. 4 for CAL0 .. CAL3, 0 none
    bool CalibProgram = false;
    std::uint32_t CalibAddress = 0;  // buffer offset; 0 = not yet set
    std::uint8_t SpiStatus = 0;      // serial memories' status register
    std::uint8_t SecurityRegister = 0;
    std::uint8_t Seed0 = 0;
    std::uint8_t Seed1 = 0;
    std::uint8_t SdpEnable = 0;  // software data protection: 0 off, 1 on
};

}  // namespace karvo
