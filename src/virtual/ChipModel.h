#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/DeviceRecord.h"

namespace karvo {

// How programming changes a cell of the emulated chip.
enum class WriteRule {
    ClearBitsOnly,  // EPROM, fuse PROM, flash without an erase: new = old AND data
    Replace,        // EEPROM: new = data
};

// One memory area of the chip in the virtual socket.
struct ChipArea {
    std::vector<std::uint8_t> bytes;
    WriteRule rule = WriteRule::Replace;
    // The erased value; word-organised chips read [blank, 0xFF] pairs.
    std::uint8_t blank = 0xFF;
    bool blankPairs = false;
    // Cells from here on (a factory calibration word) survive erasing and
    // programming, as the firmware saves and restores them.
    std::size_t keptFrom = SIZE_MAX;
    // Where the program's buffer keeps this area, so a dump address of the
    // buffer names the same byte of the chip.
    std::uint32_t bufferOffset = 0;

    std::uint8_t BlankAt(std::size_t i) const { return blankPairs && i % 2 == 1 ? 0xFF : blank; }
};

// A byte of the chip by the buffer address the program keeps it at.
struct ChipByte {
    char area = 0;
    std::uint32_t offset = 0;
};

// The chip in the virtual programmer's socket, shaped from the last parameter
// block and the chip type it names.
struct ChipModel {
    Family family = Family::None;
    std::uint8_t algorithm = 0;
    std::string name;
    // Areas by the letter of the command that reads them ('e' for byte-wide
    // memories, 'm' for the code of 8051-type and AVR-type parts; 'c', 'd',
    // 'i' and 'k' for the code, data, ID and configuration of PIC-type parts).
    std::map<char, ChipArea> areas;
    // Microcontrollers: the three signature bytes and the lock byte (bits 2,
    // 3 and 4 are lock bits 1, 2 and 3; a chip erase clears them).
    std::array<std::uint8_t, 3> signature{};
    std::uint8_t lock = 0;
    // A chip whose erase never completes, for trying what a user then sees.
    bool eraseFails = false;

    ChipArea* Area(char letter);
    std::optional<ChipByte> At(std::uint32_t bufferAddress) const;
    // Programming one block at an offset, by the area's rule; bytes past the
    // end of the area are dropped, as the chip has no cells there.
    void Program(char letter, std::uint32_t offset, const std::uint8_t* data, std::size_t count);
    void Blank();
    // A chip erase: every area blank, the lock bits cleared.
    void Erase();
};

// A blank chip for a parameter block. type is the catalogue entry the block
// names, when the firmware knows it; without one the block's own size is used
// (0 meaning 64 KiB) and the chip is a byte-replacing memory.
std::optional<ChipModel> ShapeChip(const std::uint8_t* block,
                                   const std::optional<DeviceRecord>& type);

}  // namespace karvo
