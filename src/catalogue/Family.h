#pragma once
#include <ostream>

namespace karvo {

// The device family, by the letter a device record carries. It decides the
// buffer's layout and checksum, the file formats offered and which jobs run.
enum class Family : char {
    None = 0,
    Pic = 'C',              // word-organised microcontrollers: code, data, ID, configuration
    Micro = 'M',            // 8051-type and AVR-type microcontrollers, SPI flash
    Eprom = 'E',            // byte-wide EPROMs, EEPROMs and flash
    WordEprom = 'O',        // 16-bit wide memories with a doubled buffer
    WordMemory = 'Y',       // 16-bit wide memories without it
    BipolarProm = 'R',      // fuse PROMs, with their own load size
    Logic = 'P',            // programmable logic: one '0'/'1' character per fuse
    Serial = 'S',           // serial memories, 8 or 16 bits wide by BusWidth
    Flash12V = 'F',         // 28F flash, byte-wide
    LowVoltageFlash = 'L',  // 29LV/39VF flash, byte-wide
};

constexpr char Letter(Family family) {
    return static_cast<char>(family);
}

inline std::ostream& operator<<(std::ostream& out, Family family) {
    return out << '\'' << Letter(family) << '\'';
}

// One of the letters above.
constexpr bool IsKnown(Family family) {
    switch (family) {
        case Family::Pic:
        case Family::Micro:
        case Family::Eprom:
        case Family::WordEprom:
        case Family::WordMemory:
        case Family::BipolarProm:
        case Family::Logic:
        case Family::Serial:
        case Family::Flash12V:
        case Family::LowVoltageFlash:
            return true;
        case Family::None:
            break;
    }
    return false;
}

// Families with device operations (Read, Blank, Program, Verify, Erase).
constexpr bool HasOperations(Family family) {
    return family == Family::Pic || family == Family::Eprom || family == Family::Micro;
}

// Microcontrollers: programming steps, the options hint and the notify sound.
constexpr bool IsMicrocontroller(Family family) {
    return family == Family::Pic || family == Family::Micro;
}

// Families whose buffer holds 16-bit words (filled and summed by pairs).
constexpr bool HoldsWords(Family family) {
    return family == Family::Pic || family == Family::WordEprom || family == Family::WordMemory;
}

}  // namespace karvo
