#include "editor/FillDialogModel.h"

#include <fmt/format.h>

namespace karvo {

FillDialogModel::FillDialogModel(const DeviceRecord& device)
    : to_(fmt::format("{:08X}", static_cast<std::uint32_t>(device.LastAddr()))),
      words_(HoldsWords(device.Family())) {
    // The blank value as the part holds it: a whole blank word for the
    // word-organised families.
    data_ = words_ ? fmt::format("{:04X}", device.BlankValue() * 256 + 0xFF)
                   : fmt::format("{:02X}", device.BlankValue());
}

void FillDialogModel::SetData(const std::string& text) {
    data_.clear();
    for (const char c : text) data_ += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

void FillDialogModel::ClickByte() {
    words_ = false;
    data_ = "00";
}

void FillDialogModel::ClickWord() {
    words_ = true;
    data_ = "0000";
}

ToolOutcome FillDialogModel::Ok(HexEditorModel& editor) {
    const auto from = ParseTypedHex(from_);
    if (!from) return {ConversionBox(from_), false};
    const auto to = ParseTypedHex(to_);
    if (!to) return {ConversionBox(to_), false};
    const auto data = ParseTypedHex(data_);
    if (!data) return {ConversionBox(data_), false};
    // Refused and closed, as the user asked for nothing that can be filled.
    if (*to < *from) return {InvalidDataBox("'To' has to be greater than 'From'"), true};
    const auto value = static_cast<std::uint16_t>(*data & (words_ ? 0xFFFF : 0xFF));
    auto box = editor.Fill(*from, *to, value, words_);
    // A To past the buffer can be mended where it was typed.
    const bool close = !box.has_value();
    return {std::move(box), close};
}

}  // namespace karvo
