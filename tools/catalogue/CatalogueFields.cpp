#include "CatalogueFields.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <fmt/format.h>

namespace karvo::source {
namespace {

using R = DeviceRecord;
using K = FieldKind;
using S = FieldStyle;

// Reading order: what a chip is, its geometry and voltages, its identity,
// then what the program offers for it.
constexpr std::array<Field, 25> kFields = {{
    {"DevName", R::kDevName, K::Text, S::Decimal, true},
    {"Family", R::kFamily, K::Letter, S::Decimal, true},
    {"Algorithm", R::kAlgorithm, K::U8, S::Decimal, true},
    {"LastAddr", R::kLastAddr, K::I32, S::Hex, true},
    {"BusWidth", R::kBusWidth, K::U16, S::Decimal, false},
    {"PinCount", R::kPinCount, K::U8, S::Decimal, false},
    {"Vcc", R::kVcc, K::Volts, S::Decimal, true},
    {"VccMax", R::kVccMax, K::Volts, S::Decimal, false},
    {"Vpp", R::kVpp, K::Volts, S::Decimal, false},
    {"ManufId", R::kManufId, K::U8, S::Hex, false},
    {"DevId", R::kDevId, K::U8, S::Hex, false},
    {"DevId2", R::kDevId2, K::U8, S::Hex, false},
    {"BlankValue", R::kBlankValue, K::U8, S::Hex, false},
    {"ConfigType", R::kConfigType, K::U8, S::Decimal, false},
    {"AlgoParam", R::kAlgoParam, K::U8, S::Decimal, false},
    {"EepromSize", R::kEepromSize, K::U16, S::Decimal, false},
    {"EncryptInfo", R::kEncryptInfo, K::U8, S::Hex, false},
    {"ConfigCount", R::kConfigCount, K::U8, S::Decimal, false},
    {"ConfigMask", R::kConfigMask, K::Mask, S::Hex, false},
    {"ButtonCaps", R::kButtonCaps, K::U8, S::Hex, true},
    {"ButtonCaps2", R::kButtonCaps2, K::U8, S::Hex, false},
    {"OptionCaps", R::kOptionCaps, K::U8, S::Hex, false},
    {"DefaultOpts", R::kDefaultOpts, K::U8, S::Hex, false},
    {"StepCaps", R::kStepCaps, K::U8, S::Hex, false},
    {"Adapter", R::kAdapter, K::U8, S::Decimal, false},
}};

std::optional<long long> ParseIntegerText(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

long long IntegerOf(const DeviceRecord& r, const Field& f) {
    switch (f.kind) {
        case K::U8:
            return r.Raw()[f.offset];
        case K::U16:
            return r.Raw()[f.offset] | (r.Raw()[f.offset + 1] << 8);
        case K::I32:
            return r.LastAddr();
        default:
            return 0;
    }
}

Json IntegerJson(long long v, const Field& f) {
    if (f.style == S::Decimal) return v;
    if (f.kind == K::I32) return v < 0 ? fmt::format("-0x{:X}", -v) : fmt::format("0x{:X}", v);
    return fmt::format("0x{:02X}", v);
}

float VoltsOf(const DeviceRecord& r, const Field& f) {
    if (f.offset == R::kVcc) return r.Vcc();
    if (f.offset == R::kVccMax) return r.VccMax();
    return r.Vpp();
}

Json CanonicalValue(const Field& f, const Json& v) {
    switch (f.kind) {
        case K::Letter:
        case K::Text:
            return v;
        case K::Volts:
            return v.is_number() ? VoltsJson(v.get<float>()) : v;
        case K::Mask: {
            if (!v.is_array()) return v;
            Json out = Json::array();
            for (const Json& item : v) {
                const auto n = ReadInteger(item, 0, 255);
                out.push_back(n ? Json(*n) : item);
            }
            return out;
        }
        default: {
            const auto n = ReadInteger(v, INT32_MIN, INT32_MAX);
            return n ? Json(*n) : v;
        }
    }
}

bool IsEmptyValue(const Json& v) {
    if (v.is_number()) return v.get<double>() == 0.0;
    if (v.is_array()) return v.empty();
    return false;
}

}  // namespace

std::span<const Field> Fields() {
    return kFields;
}

const Field* FindField(const std::string& name) {
    for (const Field& f : kFields) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

std::optional<long long> ReadInteger(const Json& value, long long min, long long max) {
    std::optional<long long> n;
    if (value.is_number_integer()) {
        n = value.get<long long>();
    } else if (value.is_string()) {
        n = ParseIntegerText(value.get<std::string>());
    }
    if (!n || *n < min || *n > max) return std::nullopt;
    return n;
}

Json VoltsJson(float volts) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, volts);
    const double shortest = ec == std::errc() ? std::strtod(std::string(text, end).c_str(), nullptr)
                                              : static_cast<double>(volts);
    if (shortest == static_cast<double>(static_cast<long long>(shortest))) {
        return static_cast<long long>(shortest);  // 5 rather than 5.0
    }
    return shortest;
}

Json FieldValue(const DeviceRecord& r, const Field& f) {
    switch (f.kind) {
        case K::Letter:
            return std::string(1, Letter(r.Family()));
        case K::Text:
            return r.DevName();
        case K::Volts:
            return VoltsJson(VoltsOf(r, f));
        case K::Mask: {
            Json mask = Json::array();
            for (std::size_t i = 0; i < r.ConfigCount() && i < R::kConfigMaskSize; ++i) {
                mask.push_back(fmt::format("0x{:02X}", r.ConfigMask(i)));
            }
            return mask;
        }
        default:
            return IntegerJson(IntegerOf(r, f), f);
    }
}

bool IsEmptyField(const DeviceRecord& r, const Field& f) {
    switch (f.kind) {
        case K::Letter:
        case K::Text:
            return false;
        case K::Volts:
            return VoltsOf(r, f) == 0.0F;
        case K::Mask:
            return r.ConfigCount() == 0;
        default:
            return IntegerOf(r, f) == 0;
    }
}

Json Canonical(const Json& device) {
    Json out = Json::object();
    if (!device.is_object()) return device;
    for (const Field& f : kFields) {
        if (!device.contains(f.name)) continue;
        Json v = CanonicalValue(f, device.at(f.name));
        if (!f.required && IsEmptyValue(v)) continue;
        out[f.name] = std::move(v);
    }
    for (const auto& [key, value] : device.items()) {
        if (key != kSourceKey && FindField(key) == nullptr) out[key] = value;
    }
    return out;
}

}  // namespace karvo::source
