#include "buffer/formats/MotorolaReader.h"

#include "buffer/HexText.h"

namespace karvo {

namespace {
bool FindRecordStart(LoadContext& load) {
    for (;;) {
        const int c = load.in.Get();
        if (c == FileInput::kEnd) return false;
        if (c == 'S') return true;
        if (load.firstRecordPending) {
            load.SetWrongFormat(" File isn't a motorola file");
            return true;
        }
    }
}
}  // namespace

LoadResult MotorolaReader::Read(LoadContext& load) {
    FileInput& in = load.in;
    for (;;) {
        if (!FindRecordStart(load)) return LoadResult::ResultNotMotorola;
        if (load.WrongFormatLine() != nullptr) return LoadResult::ResultNone;
        load.firstRecordPending = false;

        const std::uint8_t type = in.GetInRecord();
        if (type == '7' || type == '8' || type == '9') return LoadResult::ResultNone;
        if (type != '1' && type != '2' && type != '3') continue;
        // Address bytes after the first two: none for S1, one for S2, two for S3.
        const int extraAddressBytes = type - '1';

        const std::uint8_t count = ReadHexByte(in);
        std::uint8_t sum = count;
        const int dataBytes = count - 3 - extraAddressBytes;
        const HexWord high = ReadHexWord(in);
        sum += high.high + high.low;
        std::int64_t address = high.Value();
        for (int i = 0; i < extraAddressBytes; ++i) {
            const std::uint8_t byte = ReadHexByte(in);
            sum += byte;
            address = address * 256 + byte;
        }
        load.LoadPointer = address + load.offset;
        for (int i = 0; i < dataBytes; ++i) {
            const std::uint8_t byte = ReadHexByte(in);
            sum += byte;
            if (!load.Store(byte)) return LoadResult::ResultNoFit;
        }
        const std::uint8_t checksum = ReadHexByte(in);
        // Ones' complement: the record's bytes and the checksum make 0xFF.
        if (sum + checksum != 0xFF) return LoadResult::ResultChecksum;
    }
}

}  // namespace karvo
