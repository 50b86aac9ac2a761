#pragma once
#include <array>
#include <cstdint>

// The Algorithm numbers our catalogue gives byte-wide and word-wide memories
// and programmable logic. The programmer's firmware and the virtual
// programmer pick the chip's behaviour from them, so a number names a way of
// programming, not a chip: two makers' 27C256 share one.
//
// The parameter block carries only the low 16 bits of a size, so a firmware
// tells a 64 KiB part from a 1 MiB part by the Algorithm alone. A method used
// for parts below 64 KiB has one number; a method also used for larger parts
// owns a second block of seven numbers, one per power-of-two size from
// 64 KiB to 4 MiB (see SizedAlgorithm).
namespace karvo::algorithm {

// How a chip's cells behave under programming, for the chip models.
enum class CellBehaviour {
    Unknown,
    ClearsBitsOnly,  // UV EPROM, bipolar PROM, flash without an erase here
    ReplacesBytes,   // EEPROM and sector-write flash
};

// UV EPROMs (families 'E', 'O', 'Y', 'L'). Programming can only clear bits;
// only ultraviolet light sets them again, so the programmer never erases.
//
// 2716 to 27128 class NMOS parts: 50 ms pulses at 21 to 25 V.
inline constexpr std::uint8_t kEpromNmos50ms = 1;
// 2764A to 27256 class NMOS parts: 1 ms pulses repeated until the byte
// verifies, then an overprogram pulse, at 12.5 V.
inline constexpr std::uint8_t kEpromNmosInteractive = 2;
// CMOS EPROMs 27C64 to 27C160, byte- or word-wide: 100 us pulses at 12.5 to
// 13 V with Vcc raised to 6.25 V. The 27C256 is the reference part.
inline constexpr std::uint8_t kEpromCmosQuickPulse = 3;
inline constexpr std::uint8_t kEpromCmosQuickPulseLarge = 128;  // 128..134

// Parallel EEPROMs (families 'E', 'L'). A write replaces the byte, so
// programming needs no erase and any pattern can follow any other.
//
// 28C16 class: one byte per write cycle, polled until done.
inline constexpr std::uint8_t kEepromByteWrite = 8;
// 28C64 to 28C010 class: page writes of 32 to 256 bytes, software data
// protection sequence available.
inline constexpr std::uint8_t kEepromPageWrite = 9;
inline constexpr std::uint8_t kEepromPageWriteLarge = 136;  // 136..142
// 29C256 to 29C040 class flash: each write of a whole sector erases and
// rewrites it, so for the host it behaves like a page-write EEPROM.
inline constexpr std::uint8_t kFlashSectorWrite = 10;
inline constexpr std::uint8_t kFlashSectorWriteLarge = 144;  // 144..150

// Flash memories (families 'E', 'L', 'F'). Programming can only clear bits,
// and this protocol has no erase command for them: a part must come blank.
//
// 29F and 29LV class: command cycles at 0x555 and 0x2AA.
inline constexpr std::uint8_t kFlashJedecCommands = 16;
inline constexpr std::uint8_t kFlashJedecCommandsLarge = 152;  // 152..158
// 39SF and 39VF class: command cycles at 0x5555 and 0x2AAA.
inline constexpr std::uint8_t kFlashSstCommands = 17;
inline constexpr std::uint8_t kFlashSstCommandsLarge = 160;  // 160..166
// 28F class (family 'F'): 12 V Vpp flash with its own erase and program
// commands, listed for buffer work only.
inline constexpr std::uint8_t kFlash12VCommands = 20;
inline constexpr std::uint8_t kFlash12VCommandsLarge = 168;  // 168..174

// Bipolar fuse PROMs (family 'R'): a programmed fuse is blown for good.
inline constexpr std::uint8_t kBipolarFuseProm = 32;

// Serial memories (family 'S').
inline constexpr std::uint8_t kSerialI2c = 40;
inline constexpr std::uint8_t kSerialI2cLarge = 176;    // 176..182
inline constexpr std::uint8_t kSerialMicrowire8 = 41;   // x8 organisation
inline constexpr std::uint8_t kSerialMicrowire16 = 44;  // x16 organisation
inline constexpr std::uint8_t kSerialSpiEeprom = 42;
inline constexpr std::uint8_t kSerialSpiFlash = 43;
inline constexpr std::uint8_t kSerialSpiFlashLarge = 184;  // 184..190

// A way of programming and the numbers it owns.
struct Method {
    std::uint8_t base;   // parts below 64 KiB
    std::uint8_t large;  // first of the 64 KiB .. 4 MiB block; 0 for none
    CellBehaviour behaviour;
};

inline constexpr std::array<Method, 15> kMethods = {{
    {kEpromNmos50ms, 0, CellBehaviour::ClearsBitsOnly},
    {kEpromNmosInteractive, 0, CellBehaviour::ClearsBitsOnly},
    {kEpromCmosQuickPulse, kEpromCmosQuickPulseLarge, CellBehaviour::ClearsBitsOnly},
    {kEepromByteWrite, 0, CellBehaviour::ReplacesBytes},
    {kEepromPageWrite, kEepromPageWriteLarge, CellBehaviour::ReplacesBytes},
    {kFlashSectorWrite, kFlashSectorWriteLarge, CellBehaviour::ReplacesBytes},
    {kFlashJedecCommands, kFlashJedecCommandsLarge, CellBehaviour::ClearsBitsOnly},
    {kFlashSstCommands, kFlashSstCommandsLarge, CellBehaviour::ClearsBitsOnly},
    {kFlash12VCommands, kFlash12VCommandsLarge, CellBehaviour::ClearsBitsOnly},
    {kBipolarFuseProm, 0, CellBehaviour::ClearsBitsOnly},
    {kSerialI2c, kSerialI2cLarge, CellBehaviour::ReplacesBytes},
    {kSerialMicrowire8, 0, CellBehaviour::ReplacesBytes},
    {kSerialMicrowire16, 0, CellBehaviour::ReplacesBytes},
    {kSerialSpiEeprom, 0, CellBehaviour::ReplacesBytes},
    {kSerialSpiFlash, kSerialSpiFlashLarge, CellBehaviour::ClearsBitsOnly},
}};

// The method an Algorithm number belongs to; nullptr for none.
constexpr const Method* MethodOf(std::uint8_t algorithm) {
    for (const Method& m : kMethods) {
        if (algorithm == m.base ||
            (m.large != 0 && algorithm >= m.large && algorithm < m.large + 7)) {
            return &m;
        }
    }
    return nullptr;
}

// The number a method gives a part of `bytes` bytes: its base below 64 KiB,
// then large, large + 1 ... large + 6 for 64 KiB, 128 KiB ... 4 MiB. 0 when
// the method has no number for that size.
constexpr std::uint8_t SizedAlgorithm(const Method& method, std::uint64_t bytes) {
    if (bytes < 0x10000) return method.base;
    for (std::uint8_t step = 0; method.large != 0 && step < 7; ++step) {
        if (bytes == (std::uint64_t{0x10000} << step)) {
            return static_cast<std::uint8_t>(method.large + step);
        }
    }
    return 0;
}

constexpr CellBehaviour BehaviourOf(std::uint8_t algorithm) {
    const Method* m = MethodOf(algorithm);
    return m != nullptr ? m->behaviour : CellBehaviour::Unknown;
}

constexpr bool IsUvEprom(std::uint8_t algorithm) {
    const Method* m = MethodOf(algorithm);
    return m != nullptr && (m->base == kEpromNmos50ms || m->base == kEpromNmosInteractive ||
                            m->base == kEpromCmosQuickPulse);
}

static_assert(SizedAlgorithm(kMethods[2], 0x8000) == 3, "the 27C256 is Algorithm 3");
static_assert(SizedAlgorithm(kMethods[2], 0x100000) == 132);

// Programmable logic (family 'P'): the Algorithm is the row of the JEDEC
// fuse-map table. The parts named are those whose fuse maps the rows match.
inline constexpr std::uint8_t kPldGal16v8 = 1;
inline constexpr std::uint8_t kPldGal18v10 = 2;
inline constexpr std::uint8_t kPldGal20v8 = 3;
inline constexpr std::uint8_t kPldGal20ra10 = 4;
inline constexpr std::uint8_t kPldGal20xv10 = 5;
inline constexpr std::uint8_t kPldGal22v10 = 6;
inline constexpr std::uint8_t kPldGal26cv12 = 7;
inline constexpr std::uint8_t kPldGal6001 = 8;
inline constexpr std::uint8_t kPldGal6002 = 9;
inline constexpr std::uint8_t kPldAtf16v8 = 10;
inline constexpr std::uint8_t kPldAtf20v8 = 11;
inline constexpr std::uint8_t kPldAtf22v10b = 12;
inline constexpr std::uint8_t kPldAtf22v10c = 13;
inline constexpr std::uint8_t kPldPal20PinCombinatorial = 20;
inline constexpr std::uint8_t kPldPal20PinRegistered = 21;

// Fuse count and pin count of each fuse-map row; rows with no part are 0.
struct FuseMapSize {
    std::uint16_t fuses;
    std::uint8_t pins;
};
inline constexpr std::array<FuseMapSize, 22> kFuseMapSizes = {{
    {0, 0},     {2194, 20}, {3540, 20}, {2706, 24}, {3274, 24}, {1671, 24}, {5892, 24}, {6432, 28},
    {8294, 24}, {8330, 24}, {2194, 20}, {2706, 24}, {5892, 24}, {5892, 24}, {0, 0},     {0, 0},
    {0, 0},     {0, 0},     {0, 0},     {0, 0},     {2048, 20}, {2048, 20},
}};

// How a JEDEC file lays out each fuse map: runs of *L rows (two runs where
// the map's rows change width), then the user electronic signature (UES)
// fuses, and how many bytes of programmer electronic signature (PES) the
// part carries. Rows without a part keep 8 PES bytes.
struct FuseRowRun {
    std::uint8_t rows;
    std::uint8_t fusesPerRow;
};
struct FuseMapLayout {
    FuseRowRun runs[2];
    std::uint16_t firstUesFuse;
    std::uint8_t uesBytes;
    std::uint8_t pesBytes;

    constexpr std::uint32_t RowFuses() const {
        return std::uint32_t{runs[0].rows} * runs[0].fusesPerRow +
               std::uint32_t{runs[1].rows} * runs[1].fusesPerRow;
    }
};
inline constexpr FuseMapLayout kNoFuseMap{{{0, 0}, {0, 0}}, 0, 0, 8};
inline constexpr std::array<FuseMapLayout, 22> kFuseMapLayouts = {{
    kNoFuseMap,
    {{{64, 32}, {0, 0}}, 2056, 8, 8},     // 1: GAL16V8
    {{{96, 36}, {0, 0}}, 3476, 8, 10},    // 2: GAL18V10
    {{{64, 40}, {0, 0}}, 2568, 8, 8},     // 3: GAL20V8
    {{{80, 40}, {0, 0}}, 3210, 8, 10},    // 4: GAL20RA10
    {{{40, 40}, {0, 0}}, 1631, 5, 5},     // 5: GAL20XV10
    {{{132, 44}, {0, 0}}, 5828, 8, 10},   // 6: GAL22V10
    {{{122, 52}, {0, 0}}, 6368, 8, 12},   // 7: GAL26CV12
    {{{64, 114}, {11, 78}}, 8222, 9, 8},  // 8: GAL6001
    {{{64, 114}, {11, 78}}, 8258, 9, 8},  // 9: GAL6002
    {{{64, 32}, {0, 0}}, 2056, 8, 8},     // 10: ATF16V8
    {{{64, 40}, {0, 0}}, 2568, 8, 8},     // 11: ATF20V8
    {{{132, 44}, {0, 0}}, 5828, 8, 16},   // 12: ATF22V10B
    {{{132, 44}, {0, 0}}, 5828, 8, 16},   // 13: ATF22V10C
    kNoFuseMap,
    kNoFuseMap,
    kNoFuseMap,
    kNoFuseMap,
    kNoFuseMap,
    kNoFuseMap,
    {{{64, 32}, {0, 0}}, 0, 0, 8},  // 20: 20-pin PAL, combinatorial
    {{{64, 32}, {0, 0}}, 0, 0, 8},  // 21: 20-pin PAL, registered
}};

// Every row with a part: its rows, then its UES, fit inside its fuse count,
// and a row without one has no rows either.
constexpr bool FuseMapLayoutsFit() {
    for (std::size_t a = 0; a < kFuseMapLayouts.size(); ++a) {
        const FuseMapLayout& l = kFuseMapLayouts[a];
        const std::uint32_t fuses = kFuseMapSizes[a].fuses;
        if (fuses == 0) {
            if (l.RowFuses() != 0 || l.uesBytes != 0) return false;
            continue;
        }
        if (l.RowFuses() == 0 || l.RowFuses() > fuses) return false;
        if (l.uesBytes != 0 &&
            (l.firstUesFuse < l.RowFuses() || l.firstUesFuse + 8u * l.uesBytes > fuses)) {
            return false;
        }
        if (l.pesBytes == 0) return false;
    }
    return true;
}
static_assert(FuseMapLayoutsFit(), "a fuse map's rows or UES run past its fuse count");

}  // namespace karvo::algorithm
