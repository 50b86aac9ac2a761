#include "buffer/formats/IntelHexReader.h"

#include "buffer/formats/HexRecords.h"

namespace karvo {

using namespace hex_record;

LoadResult IntelHexReader::Read(LoadContext& load) {
    FileInput& in = load.in;
    for (;;) {
        if (!FindRecordStart(load)) return LoadResult::ResultNotIntelHex;
        if (load.WrongFormatLine() != nullptr) return LoadResult::ResultNone;
        load.firstRecordPending = false;

        // Any length the format allows (up to 255 data bytes): other tools
        // write long records.
        const RecordHead head = ReadRecordHead(in);
        std::uint8_t sum = head.sum;
        load.LoadPointer = head.address + load.extension + load.offset;

        switch (head.type) {
            case kStartSegment:
            case kStartLinear:
                continue;  // nothing of ours; not even its checksum
            case kSegmentAddress:
            case kLinearAddress: {
                const HexWord value = ReadHexWord(in);
                sum += value.high + value.low;
                load.extension = AddressExtension(head.type, value.Value());
                break;
            }
            case kEnd:
                return LoadResult::ResultNone;
            case kData:
                for (int i = 0; i < head.length; ++i) {
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
