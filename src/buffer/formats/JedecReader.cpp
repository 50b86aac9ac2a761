#include "buffer/formats/JedecReader.h"

#include <algorithm>

#include <fmt/format.h>

#include "buffer/formats/JedecFuseMap.h"

namespace karvo {

namespace {
constexpr int kEtx = 0x03;
// No fuse map comes near this; a longer number is no count or address of
// this file, and bounding it keeps it from wrapping into a valid one.
constexpr std::uint32_t kLargestNumber = 0xFFFFFF;

constexpr bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

int DigitValue(int c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The fields of one file, read character by character: "*" starts a field
// wherever it stands, and what comes before the first (STX, the title the
// tool gave the design) is not looked at.
class FieldReader {
  public:
    explicit FieldReader(LoadContext& load) : load_(load) {}

    // True when the file was read to its end; false when a field broke its
    // syntax or a fuse fell outside the buffer, and reading stopped there.
    bool ReadAll() {
        Next();
        SkipTo('*');
        while (c_ == '*') {
            Next();
            SkipSpace();
            // An empty field: this "*" starts the next one.
            if (c_ == '*') continue;
            if (!Field()) return false;
            SkipTo('*');
        }
        return true;
    }

    std::uint32_t pins = 0;
    std::uint32_t fuseCount = 0;
    bool fuseCountGiven = false;
    std::uint32_t checksum = 0;
    // One past the highest fuse stored: L fields may come in any order.
    std::uint32_t reached = 0;
    int securityFuse = -1;  // from G, kept for nothing else yet

  private:
    // ETX ends the transmission; its checksum after it is not fuse data.
    void Next() {
        c_ = load_.in.Get();
        if (c_ == kEtx) c_ = FileInput::kEnd;
    }
    void SkipSpace() {
        while (IsSpace(c_)) Next();
    }
    void SkipTo(int mark) {
        while (c_ != FileInput::kEnd && c_ != mark) Next();
    }

    // A number ends at the first character that is no digit, which must be
    // white space, "*" or the end of the file.
    bool Number(int base, std::uint32_t& value) {
        value = 0;
        int digits = 0;
        for (int d = DigitValue(c_, base); d >= 0; d = DigitValue(c_, base)) {
            value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(d);
            if (value > kLargestNumber) return false;
            ++digits;
            Next();
        }
        return digits > 0 && (IsSpace(c_) || c_ == '*' || c_ == FileInput::kEnd);
    }

    bool FuseDigit(int& value) {
        SkipSpace();
        if (c_ != '0' && c_ != '1') return false;
        value = c_ - '0';
        Next();
        return true;
    }

    bool Field() {
        const int letter = c_;
        Next();
        int unused = 0;
        switch (letter) {
            case 'L':
                return Fuses();
            case 'F':
                return FuseDigit(unused);
            case 'G':
                return FuseDigit(securityFuse);
            case 'Q':
                if (c_ == 'P' || c_ == 'F') {
                    const int which = c_;
                    Next();
                    std::uint32_t& into = which == 'P' ? pins : fuseCount;
                    if (which == 'F') fuseCountGiven = true;
                    return Number(10, into);
                }
                return true;  // QV and the like
            case 'C':
                return Number(16, checksum);
            default:
                return true;  // N, X, STX text and anything else: not looked at
        }
    }

    bool Fuses() {
        std::uint32_t address = 0;
        if (!Number(10, address)) return false;
        for (;;) {
            SkipSpace();
            if (c_ == '*' || c_ == FileInput::kEnd) return true;
            if (c_ != '0' && c_ != '1') return false;
            load_.LoadPointer = address;
            if (!load_.Store(static_cast<std::uint8_t>(c_))) return false;
            reached = std::max(reached, ++address);
            Next();
        }
    }

    LoadContext& load_;
    int c_ = 0;
};
}  // namespace

LoadResult JedecReader::Read(LoadContext& load) {
    const std::optional<JedecFuseMap> map = JedecFuseMapFor(load.device);
    if (!map) return LoadResult::ResultJedecFailure;  // refused before reading
    load.recordsExtent = false;
    // Fuses a file leaves out read as erased, whatever fill was chosen.
    load.FillAvailable(load.device.BlankValue());

    FieldReader fields(load);
    LoadResult result = LoadResult::ResultNone;
    const bool wholeFile = fields.ReadAll();
    if (wholeFile && fields.checksum != 0) {
        const auto count =
            static_cast<std::uint32_t>(std::min<std::int64_t>(map->fuses, load.Available()));
        const std::uint32_t calculated = FuseChecksum(load.Stored(), count) & 0xFFFF;
        if (calculated != fields.checksum) {
            load.host.LogLine(fmt::format(" Checksum given {:04X} calculated {:04X}",
                                          fields.checksum, calculated));
            result = LoadResult::ResultChecksum;
        }
    }
    // A file without a fuse count (no JEDEC file at all, or one cut short),
    // with fuses missing, or whose reading stopped at a broken field is no
    // map to program, even where its fuse count happens to be reached.
    if (!wholeFile || !fields.fuseCountGiven || fields.fuseCount != fields.reached) {
        load.host.LogLine(" File Error , Aborted");
        return LoadResult::ResultJedecFailure;
    }
    if (fields.fuseCount != map->fuses || (fields.pins != 0 && fields.pins != map->pins)) {
        load.host.LogLine(" File NOT for Selected Device !!");
        return LoadResult::ResultJedecFailure;
    }
    return result;
}

const char* JedecReader::Refusal(const DeviceRecord& device) const {
    return JedecRefusal(device);
}

}  // namespace karvo
