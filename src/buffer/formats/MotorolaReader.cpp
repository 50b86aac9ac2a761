#include "buffer/formats/MotorolaReader.h"

#include <optional>

#include "buffer/HexText.h"

namespace karvo {

namespace {
// The count of an S5 (16-bit) or S6 (24-bit) record, when the record is
// well formed. Anything odd makes it no count at all: such records were
// always passed over, and still are.
std::optional<std::uint32_t> ReadCount(FileInput& in, int countBytes) {
    auto byte = [&in]() -> std::optional<std::uint8_t> {
        const int high = in.Get();
        const int low = high == FileInput::kEnd ? FileInput::kEnd : in.Get();
        if (high == FileInput::kEnd || low == FileInput::kEnd) throw FileEndedInRecord();
        const int h = hex_detail::kDigit[static_cast<std::uint8_t>(high)];
        const int l = hex_detail::kDigit[static_cast<std::uint8_t>(low)];
        if ((h | l) < 0) return std::nullopt;
        return static_cast<std::uint8_t>((h << 4) | l);
    };
    const auto length = byte();
    if (!length || *length != countBytes + 1) return std::nullopt;
    std::uint8_t sum = *length;
    std::uint32_t count = 0;
    for (int i = 0; i < countBytes; ++i) {
        const auto b = byte();
        if (!b) return std::nullopt;
        sum += *b;
        count = count << 8 | *b;
    }
    const auto checksum = byte();
    if (!checksum || static_cast<std::uint8_t>(sum + *checksum) != 0xFF) return std::nullopt;
    return count;
}

bool FindRecordStart(LoadContext& load) {
    return load.FindRecordMark('S', " File isn't a motorola file");
}
}  // namespace

LoadResult MotorolaReader::Read(LoadContext& load) {
    FileInput& in = load.in;
    std::uint32_t dataRecords = 0;
    // The last record was a count record agreeing with the data records.
    bool counted = false;
    for (;;) {
        if (!FindRecordStart(load)) {
            return counted ? LoadResult::ResultNone : LoadResult::ResultNotMotorola;
        }
        if (load.WrongFormatLine() != nullptr) return LoadResult::ResultNone;
        load.firstRecordPending = false;
        counted = false;

        const std::uint8_t type = in.GetInRecord();
        if (type == '7' || type == '8' || type == '9') return LoadResult::ResultNone;
        if (type == '5' || type == '6') {
            const int countBytes = type == '5' ? 2 : 3;
            const auto count = ReadCount(in, countBytes);
            const std::uint32_t wrap = countBytes == 2 ? 0xFFFFu : 0xFFFFFFu;
            counted = count && *count == (dataRecords & wrap);
            continue;
        }
        if (type != '1' && type != '2' && type != '3') continue;
        ++dataRecords;
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
