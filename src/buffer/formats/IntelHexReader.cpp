#include "buffer/formats/IntelHexReader.h"

#include "buffer/HexText.h"

namespace karvo {

namespace {
enum RecordType : std::uint8_t {
    kData = 0x00,
    kEnd = 0x01,
    kSegmentAddress = 0x02,
    kStartSegment = 0x03,
    kLinearAddress = 0x04,
    kStartLinear = 0x05,
};

// Moves to the character after the next ':'. Whatever comes before the first
// record means the file is something else; between records it is line ends.
bool FindRecordStart(LoadContext& load) {
    for (;;) {
        const int c = load.in.Get();
        if (c == FileInput::kEnd) return false;
        if (c == ':') return true;
        if (load.firstRecordPending) {
            load.SetWrongFormat(" File isn't a hex file");
            return true;
        }
    }
}
}  // namespace

LoadResult IntelHexReader::Read(LoadContext& load) {
    FileInput& in = load.in;
    for (;;) {
        if (!FindRecordStart(load)) return LoadResult::ResultNotIntelHex;
        if (load.WrongFormatLine() != nullptr) return LoadResult::ResultNone;
        load.firstRecordPending = false;

        // Any length the format allows (up to 255 data bytes): other tools
        // write long records.
        const std::uint8_t length = ReadHexByte(in);
        std::uint8_t sum = length;
        const HexWord address = ReadHexWord(in);
        sum += address.high + address.low;
        load.LoadPointer = address.Value() + load.extension + load.offset;
        const std::uint8_t type = ReadHexByte(in);
        sum += type;

        switch (type) {
            case kStartSegment:
            case kStartLinear:
                continue;  // nothing of ours; not even its checksum
            case kSegmentAddress:
            case kLinearAddress: {
                const HexWord value = ReadHexWord(in);
                sum += value.high + value.low;
                load.extension = static_cast<std::int64_t>(value.Value())
                                 << (type == kSegmentAddress ? 4 : 16);
                break;
            }
            case kEnd:
                return LoadResult::ResultNone;
            case kData:
                for (int i = 0; i < length; ++i) {
                    const std::uint8_t byte = ReadHexByte(in);
                    if (!load.Store(byte)) return LoadResult::ResultNoFit;
                    sum += byte;
                }
                break;
            default:
                return LoadResult::ResultNotIntelHex;
        }
        sum += ReadHexByte(in);
        if (sum != 0) return LoadResult::ResultChecksum;
    }
}

}  // namespace karvo
