#include "buffer/formats/PicWordReader.h"

#include "buffer/formats/HexRecords.h"
#include "buffer/formats/PicFileMap.h"

namespace karvo {

using namespace hex_record;

LoadResult PicWordReader::Read(LoadContext& load) {
    FileInput& in = load.in;
    const PicFileMap map(load.device);
    const bool words = format_ == FileFormat::FormatInx16;
    // Bytes per unit of the length field and of the addresses (and of the
    // extension, which counts units too).
    const int unit = words ? 2 : 1;
    const LoadResult notThis = NotThisFormat();
    load.recordsExtent = false;
    for (;;) {
        if (!FindRecordStart(load)) return notThis;
        if (load.WrongFormatLine() != nullptr) return LoadResult::ResultNone;
        load.firstRecordPending = false;

        const RecordHead head = ReadRecordHead(in);
        std::uint8_t sum = head.sum;
        switch (head.type) {
            case kData: {
                // An empty data record is only an empty record.
                const std::int64_t start = unit * (load.extension + head.address);
                for (int i = 0; i < unit * head.length; ++i) {
                    const std::uint8_t byte = ReadHexByte(in);
                    sum += byte;
                    const PicFileMap::Place place = map.Locate(start + i, load.areas);
                    // INH8M has each word low byte first.
                    const bool swap = !words && !place.bytewise;
                    load.LoadPointer = swap ? place.offset ^ 1 : place.offset;
                    if (!load.Store(byte)) return LoadResult::ResultNoFit;
                }
                break;
            }
            case kSegmentAddress:
            case kLinearAddress: {
                // Two bytes either way. INX16 has them as one word low byte
                // first, as srec_cat writes and reads it (it heads every
                // INX16 file with a linear address record).
                if (unit * head.length != 2) return notThis;
                const HexWord value = ReadHexWord(in);
                sum += value.high + value.low;
                const HexWord ordered = words ? HexWord{value.low, value.high} : value;
                load.extension = AddressExtension(head.type, ordered.Value());
                break;
            }
            case kEnd:
            case kStartSegment:
            case kStartLinear:
                sum += SkipRecordBytes(in, static_cast<std::size_t>(unit) * head.length);
                break;
            default:
                return notThis;
        }
        sum += ReadHexByte(in);
        if (sum != 0) return LoadResult::ResultChecksum;
        if (head.type == kEnd) return LoadResult::ResultNone;
    }
}

LoadResult PicWordReader::NotThisFormat() const {
    return format_ == FileFormat::FormatInx16 ? LoadResult::ResultNotInx16
                                              : LoadResult::ResultNotInh8m;
}

const char* PicWordReader::Refusal(const DeviceRecord& device) const {
    return PicWordFileRefusal(format_, device);
}

}  // namespace karvo
