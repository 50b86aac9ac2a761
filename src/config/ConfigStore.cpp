#include "config/ConfigStore.h"

#include <algorithm>
#include <array>

namespace karvo::config {

PicAreaStore::PicAreaStore(MemoryBuffer& buffer, const DeviceRecord& device, std::uint32_t area)
    : buffer_(buffer),
      device_(device),
      area_(area),
      count_(static_cast<std::uint8_t>(
          std::min<std::size_t>(device.ConfigCount(), DeviceRecord::kConfigMaskSize))) {}

bool PicAreaStore::Has(std::uint8_t cell) const {
    return buffer_.Data() != nullptr && area_ < buffer_.Allocated &&
           cell < buffer_.Allocated - area_;
}

std::uint8_t PicAreaStore::Read(std::uint8_t cell) const {
    return Has(cell) ? buffer_[area_ + cell] : 0;
}

void PicAreaStore::Write(std::uint8_t cell, std::uint8_t value) {
    if (!Has(cell)) return;
    buffer_[area_ + cell] = value;
    buffer_.Cursor = area_ + cell;
}

std::uint8_t PicAreaStore::Mask(std::uint8_t cell) const {
    return cell < count_ ? device_.ConfigMask(cell) : 0xFF;
}

std::uint8_t* BitsStateStore::Field(std::uint8_t cell) const {
    switch (cell) {
        case kFuseLow:
            return &state_.FuseLow;
        case kFuseHigh:
            return &state_.FuseHigh;
        case kFuseExt:
            return &state_.FuseExt;
        case kLockBits:
            return &state_.LockBits;
        case kCalibByte:
            return &state_.CalibByte;
        case kSpiStatus:
            return &state_.SpiStatus;
        case kSecurityRegister:
            return &state_.SecurityRegister;
        case kSeed0:
            return &state_.Seed0;
        case kSeed1:
            return &state_.Seed1;
        case kSdpEnable:
            return &state_.SdpEnable;
        case kCalibIndex:
            return &state_.CalibIndex;
        case kCalibTable0:
        case kCalibTable1:
        case kCalibTable2:
        case kCalibTable3:
            return &state_.CalibTable[static_cast<std::size_t>(cell - kCalibTable0)];
        default:
            return nullptr;
    }
}

std::uint8_t BitsStateStore::Read(std::uint8_t cell) const {
    if (cell == kCalibProgram) return state_.CalibProgram ? 1 : 0;
    if (cell >= kCalibAddress && cell < kCalibAddress + 4) {
        const int shift = 8 * (kCalibAddress + 3 - cell);
        return static_cast<std::uint8_t>(state_.CalibAddress >> shift);
    }
    const std::uint8_t* field = Field(cell);
    return field != nullptr ? *field : 0;
}

void BitsStateStore::Write(std::uint8_t cell, std::uint8_t value) {
    if (cell == kCalibProgram) {
        state_.CalibProgram = (value & 1) != 0;
        return;
    }
    if (cell >= kCalibAddress && cell < kCalibAddress + 4) {
        const int shift = 8 * (kCalibAddress + 3 - cell);
        state_.CalibAddress = (state_.CalibAddress & ~(std::uint32_t{0xFF} << shift)) |
                              (std::uint32_t{value} << shift);
        return;
    }
    if (std::uint8_t* field = Field(cell)) *field = value;
}

bool HasUnit(const CellStore& store, const Unit& unit) {
    if (store.Kind() != unit.storage) return false;
    for (std::uint8_t i = 0; i < unit.bytes; ++i) {
        if (!store.Has(static_cast<std::uint8_t>(unit.cell + i))) return false;
    }
    return true;
}

std::uint32_t ReadUnit(const CellStore& store, const Unit& unit) {
    if (store.Kind() != unit.storage) return 0;
    std::uint32_t value = 0;
    for (std::uint8_t i = 0; i < unit.bytes; ++i) {
        value = (value << 8) | store.Read(static_cast<std::uint8_t>(unit.cell + i));
    }
    return value;
}

void WriteUnit(CellStore& store, const Unit& unit, std::uint32_t value) {
    if (store.Kind() != unit.storage) return;
    for (int i = unit.bytes - 1; i >= 0; --i) {
        const auto cell = static_cast<std::uint8_t>(unit.cell + i);
        // Only the bytes that change: a write leaves the cursor on the byte
        // it changed last, and an unchanged byte is not written.
        const auto byte = static_cast<std::uint8_t>(value);
        if (store.Read(cell) != byte) store.Write(cell, byte);
        value >>= 8;
    }
}

namespace {

std::uint32_t WithPattern(std::uint32_t value, const Segment& s, std::string_view pattern) {
    for (int j = 0; j < s.Bits(); ++j) {
        const std::uint32_t bit = std::uint32_t{1} << (s.hi - j);
        if (pattern[static_cast<std::size_t>(j)] == '1') value |= bit;
        if (pattern[static_cast<std::size_t>(j)] == '0') value &= ~bit;
    }
    return value;
}

std::uint32_t UnitMask(const CellStore& store, const Unit& unit) {
    std::uint32_t mask = 0;
    for (std::uint8_t i = 0; i < unit.bytes; ++i) {
        mask = (mask << 8) | store.Mask(static_cast<std::uint8_t>(unit.cell + i));
    }
    return mask;
}

}  // namespace

void ApplyWrites(std::string_view writes, int choice, CellStore& store) {
    std::array<const Unit*, 8> named{};
    std::size_t namedCount = 0;
    bool masked = false;
    notation::ForEachSegment(writes, [&](const Segment& s) {
        if (s.kind == Segment::Kind::Mask) {
            masked = true;
            return;
        }
        if (std::find(named.begin(), named.begin() + namedCount, s.unit) ==
                named.begin() + namedCount &&
            namedCount < named.size()) {
            named[namedCount++] = s.unit;
        }
        std::uint32_t value = ReadUnit(store, *s.unit);
        if (s.kind == Segment::Kind::Index) {
            const auto field = static_cast<std::uint32_t>(choice + s.offset);
            value = (value & ~s.FieldMask()) | ((field << s.lo) & s.FieldMask());
        } else {
            const std::string_view pattern = s.Pattern(choice);
            if (pattern.empty()) return;  // no pattern for this choice: nothing to write
            value = WithPattern(value, s, pattern);
        }
        WriteUnit(store, *s.unit, value);
    });
    if (!masked) return;
    for (std::size_t i = 0; i < namedCount; ++i) {
        WriteUnit(store, *named[i], ReadUnit(store, *named[i]) & UnitMask(store, *named[i]));
    }
}

namespace {

int Clamp(int item, int choices) {
    if (item < 0) return -1;
    return std::min(item, choices - 1);
}

int FromEntries(const OpenRule& rule, std::uint32_t value, int choices) {
    std::string_view entries = rule.entries;
    std::string_view last;
    std::uint32_t index = 0;
    while (!entries.empty()) {
        std::string_view entry = notation::Take(entries, ' ');
        if (rule.kind == OpenRule::Kind::Pairs) {
            const std::string_view key = notation::Take(entry, '=');
            std::uint32_t listed = 0;
            for (char c : key)
                listed = (listed << 4) | static_cast<std::uint32_t>(notation::HexValue(c));
            if (listed == value)
                return entry == "-" ? -1 : Clamp(notation::Decimal(entry), choices);
            continue;
        }
        last = entry;
        if (index++ == value) break;
    }
    if (rule.kind == OpenRule::Kind::Pairs || last.empty() || last == "-") return -1;
    return Clamp(notation::Decimal(last), choices);
}

bool Matches(const Segment& s, std::string_view pattern, std::uint32_t value) {
    for (int j = 0; j < s.Bits(); ++j) {
        const char c = pattern[static_cast<std::size_t>(j)];
        if (c == '-') continue;
        if (((value >> (s.hi - j)) & 1U) != static_cast<std::uint32_t>(c == '1')) return false;
    }
    return true;
}

// A check box opens checked when the first bit its two choices set apart
// holds the checked value.
int DeriveCheckBox(std::string_view writes, const CellStore& store) {
    int result = -1;
    notation::ForEachSegment(writes, [&](const Segment& s) {
        if (result >= 0 || s.kind == Segment::Kind::Mask) return;
        const std::uint32_t value = ReadUnit(store, *s.unit);
        if (s.kind == Segment::Kind::Index) {
            if (s.Bits() == 1)
                result = static_cast<int>((value >> s.lo) & 1U) == 1 + s.offset ? 1 : 0;
            return;
        }
        if (s.patternCount < 2) return;
        const std::string_view off = s.Pattern(0);
        const std::string_view on = s.Pattern(1);
        for (int j = 0; j < s.Bits(); ++j) {
            const char a = off[static_cast<std::size_t>(j)];
            const char b = on[static_cast<std::size_t>(j)];
            if (a == '-' || b == '-' || a == b) continue;
            result = (((value >> (s.hi - j)) & 1U) == static_cast<std::uint32_t>(b == '1')) ? 1 : 0;
            return;
        }
    });
    return result;
}

// A group opens from its first index field, or else on the item whose
// patterns all hold.
int DeriveGroup(std::string_view writes, int choices, const CellStore& store) {
    bool indexed = false;
    int item = -1;
    notation::ForEachSegment(writes, [&](const Segment& s) {
        if (indexed || s.kind != Segment::Kind::Index) return;
        indexed = true;
        const auto value = static_cast<int>((ReadUnit(store, *s.unit) & s.FieldMask()) >> s.lo);
        item = Clamp(value - s.offset, choices);
    });
    if (indexed) return item;
    for (int choice = 0; choice < choices; ++choice) {
        bool all = true;
        bool any = false;
        notation::ForEachSegment(writes, [&](const Segment& s) {
            if (s.kind != Segment::Kind::Patterns || s.patternCount < 2) return;
            any = true;
            all = all && Matches(s, s.Pattern(choice), ReadUnit(store, *s.unit));
        });
        if (any && all) return choice;
    }
    return -1;
}

}  // namespace

int DecodeOpening(std::string_view opens, std::string_view writes, int choices, bool checkBox,
                  const CellStore& store) {
    if (choices <= 0) return -1;
    OpenRule rule;
    if (!notation::ParseOpen(opens, rule).empty()) return -1;
    switch (rule.kind) {
        case OpenRule::Kind::Derived:
            return checkBox ? DeriveCheckBox(writes, store) : DeriveGroup(writes, choices, store);
        case OpenRule::Kind::None:
            return -1;
        case OpenRule::Kind::Value: {
            const auto value =
                static_cast<int>((ReadUnit(store, *rule.unit) & rule.FieldMask()) >> rule.lo);
            return Clamp(value - rule.offset, choices);
        }
        case OpenRule::Kind::Table:
        case OpenRule::Kind::Pairs:
            return FromEntries(rule, (ReadUnit(store, *rule.unit) & rule.FieldMask()) >> rule.lo,
                               choices);
    }
    return -1;
}

}  // namespace karvo::config
