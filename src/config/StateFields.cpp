#include "config/StateFields.h"

#include <array>

#include <fmt/format.h>

namespace karvo::config {

namespace {

template <std::uint8_t ConfigBitsState::*Field>
constexpr StateField ByteField(std::string_view name) {
    return {name, 2, 0xFF, [](const ConfigBitsState& s) -> std::uint32_t { return s.*Field; },
            [](ConfigBitsState& s, std::uint32_t v) { s.*Field = static_cast<std::uint8_t>(v); }};
}

std::uint32_t GetCalibTable(const ConfigBitsState& s) {
    std::uint32_t value = 0;
    for (std::uint8_t cal : s.CalibTable) value = (value << 8) | cal;
    return value;
}
void SetCalibTable(ConfigBitsState& s, std::uint32_t value) {
    for (std::size_t i = s.CalibTable.size(); i-- > 0;) {
        s.CalibTable[i] = static_cast<std::uint8_t>(value);
        value >>= 8;
    }
}

constexpr std::array<StateField, 14> kFields = {{
    ByteField<&ConfigBitsState::FuseLow>("FuseLow"),
    ByteField<&ConfigBitsState::FuseHigh>("FuseHigh"),
    ByteField<&ConfigBitsState::FuseExt>("FuseExt"),
    ByteField<&ConfigBitsState::LockBits>("LockBits"),
    ByteField<&ConfigBitsState::CalibByte>("CalibByte"),
    {"CalibTable", 8, 0xFFFFFFFF, GetCalibTable, SetCalibTable},
    {"CalibIndex", 2, 4, [](const ConfigBitsState& s) -> std::uint32_t { return s.CalibIndex; },
     [](ConfigBitsState& s, std::uint32_t v) { s.CalibIndex = static_cast<std::uint8_t>(v); }},
    {"CalibProgram", 2, 1,
     [](const ConfigBitsState& s) -> std::uint32_t { return s.CalibProgram ? 1 : 0; },
     [](ConfigBitsState& s, std::uint32_t v) { s.CalibProgram = v != 0; }},
    {"CalibAddress", 4, 0xFFFFFFFF,
     [](const ConfigBitsState& s) -> std::uint32_t { return s.CalibAddress; },
     [](ConfigBitsState& s, std::uint32_t v) { s.CalibAddress = v; }},
    ByteField<&ConfigBitsState::SpiStatus>("SpiStatus"),
    ByteField<&ConfigBitsState::SecurityRegister>("SecurityRegister"),
    ByteField<&ConfigBitsState::Seed0>("Seed0"),
    ByteField<&ConfigBitsState::Seed1>("Seed1"),
    ByteField<&ConfigBitsState::SdpEnable>("SdpEnable"),
}};

}  // namespace

std::span<const StateField> StateFields() {
    return kFields;
}

const StateField* FindStateField(std::string_view name) {
    for (const StateField& field : kFields) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

std::string FormatStateField(const StateField& field, const ConfigBitsState& state) {
    return fmt::format("{}={:0{}X}", field.name, field.get(state), field.digits);
}

}  // namespace karvo::config
