#pragma once
// Where the bytes of an INH8M or INX16 file sit in the buffer of a
// word-organised part: program memory at its own address, and the data
// EEPROM, ID locations and configuration words at the addresses files give
// them, moved to the buffer areas the chip facts place them in.
#include <cstdint>
#include <optional>
#include <span>

#include "buffer/FileFormat.h"
#include "buffer/LoadContext.h"
#include "catalogue/DeviceRecord.h"

namespace karvo {

enum class PicFileArea { Code, Data, Id, Config };

// A stretch of the file and where it lies in the buffer.
struct PicFileSection {
    PicFileArea area = PicFileArea::Code;
    std::uint32_t file = 0;    // byte address in the file (twice the word address)
    std::uint32_t buffer = 0;  // buffer offset of its first byte
    std::uint32_t bytes = 0;   // always whole words
    // The PIC18 data EEPROM is kept byte for byte; everything else is
    // 16-bit words, high byte first in the buffer.
    bool bytewise = false;

    bool Holds(std::int64_t address) const {
        return address >= file && address - file < static_cast<std::int64_t>(bytes);
    }
};

class PicFileMap {
  public:
    explicit PicFileMap(const DeviceRecord& device);

    struct Place {
        std::int64_t offset = 0;
        bool bytewise = false;
    };
    // Where the file byte at `address` (a byte address) goes. An area counts
    // only beyond program memory, so a large part's code is never mistaken
    // for one; landing in an area clears its expectation.
    Place Locate(std::int64_t address, AreaExpectations& areas) const {
        if (address <= lastAddr_) return {address, false};
        return LocateBeyondCode(address, areas);
    }

    // What a save writes, in this order: program memory, data EEPROM, ID
    // locations, configuration words.
    std::span<const PicFileSection> Sections() const& { return {sections_, count_}; }
    // The sections live in the map: not from a temporary one.
    std::span<const PicFileSection> Sections() const&& = delete;

    // The bytes of the section that lie inside a buffer of `allocated`
    // bytes. The layouts always fit the buffers allocated for the part; this
    // only keeps a smaller buffer from being read past its end.
    static std::uint32_t BytesWithin(const PicFileSection& section, std::uint32_t allocated);

  private:
    Place LocateBeyondCode(std::int64_t address, AreaExpectations& areas) const;

    std::int64_t lastAddr_;
    PicFileSection sections_[4];
    std::size_t count_ = 0;
    // The older configuration address some files use; read, never written.
    std::optional<PicFileSection> configOld_;
};

// Why INH8M or INX16 cannot hold the part, or nullptr. A refused load or
// save touches neither the buffer nor the file.
const char* PicWordFileRefusal(FileFormat format, const DeviceRecord& device);

}  // namespace karvo
