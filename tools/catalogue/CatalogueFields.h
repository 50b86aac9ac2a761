#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include <nlohmann/json.hpp>

#include "catalogue/DeviceRecord.h"

namespace karvo::source {

using Json = nlohmann::ordered_json;

// How a field is stored in the record and how the readable form writes it.
enum class FieldKind { Letter, Text, U8, U16, I32, Volts, Mask };
enum class FieldStyle { Decimal, Hex };

struct Field {
    const char* name;
    std::size_t offset;
    FieldKind kind;
    FieldStyle style;
    bool required;
};

// Every field of the readable form, in the order the decoder writes them.
std::span<const Field> Fields();
const Field* FindField(const std::string& name);

// The key that documents where an entry's values come from; never compiled.
inline constexpr const char* kSourceKey = "Source";

// An integer written as a JSON number, "0x1F" or "31". nullopt when it is
// neither, or falls outside [min, max].
std::optional<long long> ReadInteger(const Json& value, long long min, long long max);

// The field's value in the record, in its written form ("0x1F", 12.5, "E").
Json FieldValue(const DeviceRecord& record, const Field& field);
// True when the record holds the field's empty value (0, 0.0, no mask).
bool IsEmptyField(const DeviceRecord& record, const Field& field);

// The shortest decimal text that reads back as the same single-precision value.
Json VoltsJson(float volts);

// One device entry reduced to its meaning: fields in the decoder's order,
// integers as numbers, volts rounded to single precision, empty optional
// fields and "Source" dropped. Two entries that compile to the same record
// have the same canonical form. Unknown keys are kept so that they differ.
Json Canonical(const Json& device);

}  // namespace karvo::source
