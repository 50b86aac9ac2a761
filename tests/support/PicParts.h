#pragma once
// Word-organised parts as the catalogue has them, one of each memory layout,
// for the tests of the word formats.
#include "support/Devices.h"

namespace karvo::test::pic_parts {

// Mid-range, data EEPROM, standard layout.
inline DeviceBuilder Pic16F84A() {
    return DeviceBuilder('C', 0x7FF, "16F84A")
        .Algorithm(9)
        .ConfigType(9)
        .Blank(0x3F)
        .Eeprom(63)
        .ConfigMask({0x3F, 0xFF});
}
inline DeviceBuilder Pic16F628A() {
    return DeviceBuilder('C', 0xFFF, "16F628A")
        .Algorithm(7)
        .ConfigType(31)
        .Blank(0x3F)
        .Eeprom(127)
        .ConfigMask({0x21, 0xFF});
}
inline DeviceBuilder Pic16F877A() {
    return DeviceBuilder('C', 0x3FFF, "16F877A")
        .Algorithm(4)
        .ConfigType(30)
        .Blank(0x3F)
        .Eeprom(255)
        .ConfigMask({0x2F, 0xCF});
}
// Two configuration words, the second of them once kept at word 0xFFF.
inline DeviceBuilder Pic16F882() {
    return DeviceBuilder('C', 0xFFF, "16F882")
        .Algorithm(10)
        .ConfigType(10)
        .Blank(0x3F)
        .Eeprom(127)
        .ConfigMask({0x3F, 0xFF, 0x07, 0x00});
}
// Baseline: ID after the code, configuration at word 0xFFF.
inline DeviceBuilder Pic12F508() {
    return DeviceBuilder('C', 0x3FF, "12F508")
        .Algorithm(11)
        .ConfigType(15)
        .Blank(0x0F)
        .ConfigMask({0x00, 0x1F});
}
// Enhanced mid-range: areas from 0x10000.
inline DeviceBuilder Pic16F1938() {
    return DeviceBuilder('C', 0x7FFF, "16F1938")
        .Algorithm(7)
        .ConfigType(46)
        .Blank(0x3F)
        .Eeprom(255)
        .ConfigMask({0x3F, 0xFF, 0x37, 0x33});
}
// PIC18: areas from 0xF0000, data EEPROM byte for byte.
inline DeviceBuilder Pic18F452() {
    return DeviceBuilder('C', 0x7FFF, "18F452")
        .Algorithm(18)
        .ConfigType(27)
        .Blank(0xFF)
        .Eeprom(255)
        .ConfigMask(
            {0x27, 0x00, 0x0F, 0x0F, 0x01, 0x00, 0x00, 0x85, 0xC0, 0x0F, 0xE0, 0x0F, 0x40, 0x0F});
}
// The same part with another program memory size.
inline DeviceBuilder WithLastAddr(DeviceBuilder part, std::uint32_t lastAddr) {
    part.record.SetU32(DeviceRecord::kLastAddr, lastAddr);
    return part;
}
// The largest PIC18 of the catalogue: program memory past 64 KiB.
inline DeviceBuilder Pic18F4685() {
    DeviceBuilder part = WithLastAddr(Pic18F452(), 0x17FFF);
    part.record.SetText(DeviceRecord::kDevName, DeviceRecord::kDevNameSize, "18F4685");
    return part;
}
// PIC17: no ID locations, configuration at word 0xFE00.
inline DeviceBuilder Pic17C44() {
    return DeviceBuilder('C', 0x3FFF, "17C44")
        .Algorithm(3)
        .ConfigType(13)
        .Blank(0xFF)
        .ConfigMask({0x80, 0x5F});
}

}  // namespace karvo::test::pic_parts
