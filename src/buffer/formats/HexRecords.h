#pragma once
// What the Intel HEX, INH8M and INX16 readers and writers share: finding a
// record, its head, the address records and writing one record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "buffer/FileOutput.h"
#include "buffer/HexText.h"
#include "buffer/LoadContext.h"

namespace karvo {

namespace hex_record {
enum Type : std::uint8_t {
    kData = 0x00,
    kEnd = 0x01,
    kSegmentAddress = 0x02,
    kStartSegment = 0x03,
    kLinearAddress = 0x04,
    kStartLinear = 0x05,
};
}  // namespace hex_record

// Moves to the character after the next ':' (LoadContext::FindRecordMark).
inline bool FindRecordStart(LoadContext& load) {
    return load.FindRecordMark(':', " File isn't a hex file");
}

// Length, load address and type, with their running sum.
struct RecordHead {
    std::uint8_t length = 0;
    std::uint16_t address = 0;
    std::uint8_t type = 0;
    std::uint8_t sum = 0;
};

inline RecordHead ReadRecordHead(FileInput& in) {
    RecordHead head;
    head.length = ReadHexByte(in);
    const HexWord address = ReadHexWord(in);
    head.address = address.Value();
    head.type = ReadHexByte(in);
    head.sum = static_cast<std::uint8_t>(head.length + address.high + address.low + head.type);
    return head;
}

// What an extended segment (value × 16) or extended linear (value × 65536)
// address record adds to the load addresses that follow it.
inline std::int64_t AddressExtension(std::uint8_t type, std::uint16_t value) {
    return static_cast<std::int64_t>(value) << (type == hex_record::kSegmentAddress ? 4 : 16);
}

// Reads `count` bytes that are not kept; their sum, for the checksum test.
std::uint8_t SkipRecordBytes(FileInput& in, std::size_t count);

// One record: ':', the length field, the address, the type, `count` data
// bytes, the two's complement checksum and the line end. The length field is
// given apart from the data because INX16 counts words.
void WriteHexRecord(FileOutput& out, std::uint8_t lengthField, std::uint16_t address,
                    std::uint8_t type, const std::uint8_t* data, std::size_t count,
                    std::string_view lineEnd);

// An extended segment or linear address record with its value high byte
// first, as Intel HEX and INH8M have it.
void WriteHexAddressRecord(FileOutput& out, std::uint8_t type, std::uint16_t value,
                           std::string_view lineEnd);

}  // namespace karvo
