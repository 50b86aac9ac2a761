#include "editor/CopyDialogModel.h"

#include <fmt/format.h>

#include "editor/Utf8.h"

namespace karvo {

CopyDialogModel::CopyDialogModel(CopyForm form, std::uint32_t selected)
    : form_(form), beginAdd_(fmt::format("{:08X}", selected)) {}

std::optional<CopyDialogModel::Block> CopyDialogModel::ReadBlock(
    std::optional<EditorBox>& box) const {
    Block block;
    for (const auto& [text, value] :
         {std::pair{&beginAdd_, &block.source}, std::pair{&nrBytes_, &block.count},
          std::pair{&whereAdd_, &block.destination}}) {
        const auto read = ParseTypedHex(*text);
        if (!read) {
            box = ConversionBox(*text);
            return std::nullopt;
        }
        *value = *read;
    }
    return block;
}

ToolOutcome CopyDialogModel::CopyClick(HexEditorModel& editor) {
    std::optional<EditorBox> box;
    const auto block = ReadBlock(box);
    if (!block) return {box, false};
    const std::uint64_t s = block->source;
    const std::uint64_t n = block->count;
    const std::uint64_t d = block->destination;
    // A destination that ends right where the source begins counts as
    // overlapping too.
    if (d < s + n && d + n >= s) return {ErrorBox("The adresses are over lapping"), false};
    box = editor.CopyBlock(block->source, block->count, block->destination, std::nullopt);
    const bool close = !box.has_value();
    return {box, close};
}

ToolOutcome CopyDialogModel::MoveClick(HexEditorModel& editor) {
    const std::size_t replaceLength = CharactersOf(replaceEd_).size();
    if (replaceLength != 0 && replaceLength != 2) {
        return {ErrorBox("Replace Value need two Hex Values "), false};
    }
    std::optional<EditorBox> box;
    const auto block = ReadBlock(box);
    if (!block) return {box, false};
    std::optional<std::uint8_t> replace;
    if (replaceLength == 2) {
        const auto value = ParseTypedHex(replaceEd_);
        if (!value) return {ConversionBox(replaceEd_), false};
        replace = static_cast<std::uint8_t>(*value);
    }
    box = editor.CopyBlock(block->source, block->count, block->destination, replace);
    const bool close = !box.has_value();
    return {box, close};
}

}  // namespace karvo
