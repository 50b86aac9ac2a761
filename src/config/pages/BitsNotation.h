#pragma once
#include <array>
#include <cstdint>
#include <string_view>

// The notation the page tables write bits in, close to how a data sheet
// lists a configuration word, so that a row reads like the chip's table:
//
//   writes   "w1 1..0 = #"                         item i writes i into bits 1..0
//            "w2 3..0 = #+4"                       item i writes i + 4
//            "w1 13..8: 000000 010101 111111"      item i writes pattern i
//            "w1 15..14: 00"                       one pattern: written on every choice
//            "w1 3: 1 0"                           a check box: unchecked, checked
//            "...; mask"                           then AND the bytes with ConfigMask
//   opens    ""                                    from the bits it writes (see Decode)
//            "none"                                no item chosen when the page opens
//            "w1 5..4"                             item = the value (beyond the last: last)
//            "w1 3..0 = #+1"                       item = value - 1 (below 0: none)
//            "1H 3..0 -> 0 1 2 2 3 - 9"            item by value; "-" none; beyond: last entry
//            "LockBits 7..0 -> 00=0 04=1 06=2"     item by listed values; others: none
//   An edit field writes the number typed as its choice ("CalibAddress 31..0 = #")
//   and, with an opens text, shows the stored value in hexadecimal.
//
// A pattern gives the bits from the highest down: 1 and 0 are written, "-"
// keeps the stored bit. Segments are separated by ";". A check box has two
// choices, 0 (unchecked) and 1 (checked); the other kinds one per item.
//
// Units name the stored bytes: "w1", "w2" ... the 16-bit configuration words
// of the standard and enhanced layouts (high byte first), "1H" ... "7L" the
// PIC18 configuration bytes, and the fields of ConfigBitsState for the other
// families. A unit is a run of cells: the PIC configuration bytes from the
// start of the area, or the state's fields in the order of StateCell.
namespace karvo::config {

enum class Storage : std::uint8_t { PicArea, BitsState };

struct Unit {
    std::string_view name;
    std::uint8_t cell = 0;
    std::uint8_t bytes = 1;  // 2: a big-endian word
    Storage storage = Storage::PicArea;
    constexpr int Width() const { return 8 * bytes; }
};

// ConfigBitsState's fields, as cells: one a byte, CalibProgram 0 or 1, the
// four bytes of CalibAddress from the highest down.
enum StateCell : std::uint8_t {
    kFuseLow,
    kFuseHigh,
    kFuseExt,
    kLockBits,
    kCalibByte,
    kSpiStatus,
    kSecurityRegister,
    kSeed0,
    kSeed1,
    kSdpEnable,
    kCalibIndex,
    kCalibProgram,
    kCalibTable0,
    kCalibTable1,
    kCalibTable2,
    kCalibTable3,
    kCalibAddress,  // .. kCalibAddress + 3
    kStateCellCount = kCalibAddress + 4
};

inline constexpr std::array<Unit, 34> kUnits = {{
    {"w1", 0, 2},
    {"w2", 2, 2},
    {"1H", 0, 1},
    {"1L", 1, 1},
    {"2H", 2, 1},
    {"2L", 3, 1},
    {"3H", 4, 1},
    {"3L", 5, 1},
    {"4H", 6, 1},
    {"4L", 7, 1},
    {"5H", 8, 1},
    {"5L", 9, 1},
    {"6H", 10, 1},
    {"6L", 11, 1},
    {"7H", 12, 1},
    {"7L", 13, 1},
    {"FuseLow", kFuseLow, 1, Storage::BitsState},
    {"FuseHigh", kFuseHigh, 1, Storage::BitsState},
    {"FuseExt", kFuseExt, 1, Storage::BitsState},
    {"LockBits", kLockBits, 1, Storage::BitsState},
    {"CalibByte", kCalibByte, 1, Storage::BitsState},
    {"SpiStatus", kSpiStatus, 1, Storage::BitsState},
    {"SecurityRegister", kSecurityRegister, 1, Storage::BitsState},
    {"SdpEnable", kSdpEnable, 1, Storage::BitsState},
    {"Seed0", kSeed0, 1, Storage::BitsState},
    {"Seed1", kSeed1, 1, Storage::BitsState},
    {"CalibIndex", kCalibIndex, 1, Storage::BitsState},
    {"CalibProgram", kCalibProgram, 1, Storage::BitsState},
    {"CalibTable0", kCalibTable0, 1, Storage::BitsState},
    {"CalibTable1", kCalibTable1, 1, Storage::BitsState},
    {"CalibTable2", kCalibTable2, 1, Storage::BitsState},
    {"CalibTable3", kCalibTable3, 1, Storage::BitsState},
    {"CalibAddress", kCalibAddress, 4, Storage::BitsState},
}};

// A field of `bits` bits from bit `lo` up (a 32-bit field takes every bit).
constexpr std::uint32_t BitField(int bits, int lo) {
    const std::uint32_t ones = bits >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << bits) - 1;
    return ones << lo;
}

// The unit's place in kUnits, -1 when there is none of that name. (An index,
// not a pointer: sanitizer builds cannot compare addresses while compiling.)
constexpr int UnitIndex(std::string_view name) {
    for (std::size_t i = 0; i < kUnits.size(); ++i) {
        if (kUnits[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

// One ";"-separated part of a writes text.
struct Segment {
    enum class Kind : std::uint8_t { Index, Patterns, Mask };
    Kind kind = Kind::Mask;
    const Unit* unit = nullptr;
    std::uint8_t hi = 0;
    std::uint8_t lo = 0;
    std::uint8_t offset = 0;    // Index: the value is the choice plus this
    std::string_view patterns;  // Patterns: space-separated
    std::uint8_t patternCount = 0;

    constexpr int Bits() const { return hi - lo + 1; }
    constexpr std::uint32_t FieldMask() const { return BitField(Bits(), lo); }
    // Pattern i; the only one when the segment has one for every choice.
    constexpr std::string_view Pattern(int choice) const {
        int index = patternCount == 1 ? 0 : choice;
        std::string_view rest = patterns;
        while (true) {
            const std::size_t space = rest.find(' ');
            if (index == 0) return rest.substr(0, space);
            if (space == std::string_view::npos) return {};
            rest.remove_prefix(space + 1);
            --index;
        }
    }
};

// How a control opens, parsed.
struct OpenRule {
    enum class Kind : std::uint8_t { Derived, None, Value, Table, Pairs };
    Kind kind = Kind::Derived;
    const Unit* unit = nullptr;
    std::uint8_t hi = 0;
    std::uint8_t lo = 0;
    std::uint8_t offset = 0;   // Value: item = value - offset
    std::string_view entries;  // Table, Pairs: space-separated

    constexpr std::uint32_t FieldMask() const { return BitField(hi - lo + 1, lo); }
};

namespace notation {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
constexpr int HexValue(char c) {
    return IsDigit(c) ? c - '0' : (c >= 'a' ? c - 'a' + 10 : c - 'A' + 10);
}

constexpr std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Splits off the text up to the first `sep` (all of it when there is none).
constexpr std::string_view Take(std::string_view& rest, char sep) {
    const std::size_t at = rest.find(sep);
    const std::string_view head = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
    return head;
}

// A decimal number of up to three digits; -1 when it is not one.
constexpr int Decimal(std::string_view s) {
    if (s.empty() || s.size() > 3) return -1;
    int value = 0;
    for (char c : s) {
        if (!IsDigit(c)) return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "UNIT HI..LO" or "UNIT BIT"; the error text is empty when it parses.
constexpr std::string_view UnitAndBits(std::string_view text, const Unit*& unit, std::uint8_t& hi,
                                       std::uint8_t& lo) {
    text = Trim(text);
    std::string_view name = Take(text, ' ');
    const int index = UnitIndex(name);
    if (index < 0) return "unknown unit";
    unit = &kUnits[static_cast<std::size_t>(index)];
    text = Trim(text);
    const std::size_t dots = text.find("..");
    const int h = Decimal(text.substr(0, dots));
    const int l = dots == std::string_view::npos ? h : Decimal(text.substr(dots + 2));
    if (h < 0 || l < 0) return "bits are not HI..LO or BIT";
    if (h < l || h >= unit->Width()) return "bits outside the unit";
    hi = static_cast<std::uint8_t>(h);
    lo = static_cast<std::uint8_t>(l);
    return {};
}

// "#" or "#+N"; -1 when it is neither.
constexpr int IndexOffset(std::string_view text) {
    text = Trim(text);
    if (text == "#") return 0;
    if (text.size() > 2 && text[0] == '#' && text[1] == '+') return Decimal(text.substr(2));
    return -1;
}

// Parses one segment of a writes text; the error is empty when it parses.
constexpr std::string_view ParseSegment(std::string_view text, Segment& out) {
    text = Trim(text);
    out = Segment{};
    if (text == "mask") return {};
    const std::size_t colon = text.find(':');
    const std::size_t equals = text.find('=');
    const std::size_t split = colon < equals ? colon : equals;
    if (split == std::string_view::npos) return "a segment needs ':' or '='";
    if (const auto error = UnitAndBits(text.substr(0, split), out.unit, out.hi, out.lo);
        !error.empty()) {
        return error;
    }
    std::string_view value = Trim(text.substr(split + 1));
    if (split == equals) {
        const int offset = IndexOffset(value);
        if (offset < 0) return "'=' takes # or #+N";
        out.kind = Segment::Kind::Index;
        out.offset = static_cast<std::uint8_t>(offset);
        return {};
    }
    out.kind = Segment::Kind::Patterns;
    out.patterns = value;
    if (value.empty()) return "no pattern";
    while (!value.empty()) {
        const std::string_view p = Take(value, ' ');
        if (p.size() != static_cast<std::size_t>(out.Bits())) return "a pattern of the wrong width";
        for (char c : p) {
            if (c != '0' && c != '1' && c != '-') return "patterns hold 0, 1 and - only";
        }
        ++out.patternCount;
    }
    return {};
}

// Every segment of a writes text in turn; stops at the first error.
template <class Visit>
constexpr std::string_view ForEachSegment(std::string_view text, Visit&& visit) {
    while (!text.empty()) {
        Segment s;
        if (const auto error = ParseSegment(Take(text, ';'), s); !error.empty()) return error;
        visit(s);
    }
    return {};
}

constexpr std::string_view CheckWrites(std::string_view text) {
    if (Trim(text).empty()) return {};
    return ForEachSegment(text, [](const Segment&) {});
}

// Parses an opens text; the error is empty when it parses.
constexpr std::string_view ParseOpen(std::string_view text, OpenRule& out) {
    text = Trim(text);
    out = OpenRule{};
    if (text.empty()) return {};
    if (text == "none") {
        out.kind = OpenRule::Kind::None;
        return {};
    }
    const std::size_t arrow = text.find("->");
    const std::size_t equals = text.find('=');
    const std::size_t split = arrow < equals ? arrow : equals;
    if (const auto error = UnitAndBits(text.substr(0, split), out.unit, out.hi, out.lo);
        !error.empty()) {
        return error;
    }
    out.kind = OpenRule::Kind::Value;
    if (split == std::string_view::npos) return {};
    if (split == equals && split < arrow) {
        const int offset = IndexOffset(text.substr(equals + 1));
        if (offset < 0) return "'=' takes # or #+N";
        out.offset = static_cast<std::uint8_t>(offset);
        return {};
    }
    std::string_view entries = Trim(text.substr(arrow + 2));
    out.entries = entries;
    if (entries.empty()) return "'->' needs entries";
    const bool pairs = entries.find('=') != std::string_view::npos;
    out.kind = pairs ? OpenRule::Kind::Pairs : OpenRule::Kind::Table;
    while (!entries.empty()) {
        std::string_view entry = Take(entries, ' ');
        if (pairs) {
            const std::string_view value = Take(entry, '=');
            if (value.empty() || value.size() > 4) return "a pair needs a hexadecimal value";
            for (char c : value) {
                if (!IsHexDigit(c)) return "a pair needs a hexadecimal value";
            }
        }
        if (entry != "-" && Decimal(entry) < 0) return "an item is a number or -";
    }
    return {};
}

constexpr std::string_view CheckOpen(std::string_view text) {
    OpenRule rule;
    return ParseOpen(text, rule);
}

// Called where a table's text does not parse: no constant expression may
// call it, so a bad row stops the build.
void RowDoesNotParse();

}  // namespace notation

// A writes text, checked when the table is compiled.
class Writes {
  public:
    constexpr Writes() = default;
    consteval Writes(const char* text) : text_(text) {  // NOLINT: rows are written as text
        if (!notation::CheckWrites(text_).empty()) notation::RowDoesNotParse();
    }
    constexpr std::string_view Text() const { return text_; }
    constexpr bool Empty() const { return notation::Trim(text_).empty(); }

  private:
    std::string_view text_;
};

// An opens text, checked when the table is compiled.
class Opens {
  public:
    constexpr Opens() = default;
    consteval Opens(const char* text) : text_(text) {  // NOLINT: rows are written as text
        if (!notation::CheckOpen(text_).empty()) notation::RowDoesNotParse();
    }
    constexpr std::string_view Text() const { return text_; }
    constexpr bool Empty() const { return notation::Trim(text_).empty(); }

  private:
    std::string_view text_;
};

}  // namespace karvo::config
