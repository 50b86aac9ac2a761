#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "config/ConfigBitsState.h"

namespace karvo::config {

// ConfigBitsState's fields by their names, for a front end that shows or
// sets them (karvo-cli's "config state"). CalibTable is one number, CAL0 in
// its highest byte; CalibProgram is 0 or 1.
struct StateField {
    std::string_view name;
    int digits = 2;  // shown with at least this many hexadecimal digits
    std::uint32_t largest = 0xFF;
    std::uint32_t (*get)(const ConfigBitsState&) = nullptr;
    void (*set)(ConfigBitsState&, std::uint32_t) = nullptr;
};

// Every field, in the order of the record.
std::span<const StateField> StateFields();
// Null when no field has that name.
const StateField* FindStateField(std::string_view name);
// "NAME=HH".
std::string FormatStateField(const StateField& field, const ConfigBitsState& state);

}  // namespace karvo::config
