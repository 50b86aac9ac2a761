#include "editor/SearchDialogModel.h"

#include "editor/Utf8.h"

namespace karvo {

void SearchDialogModel::ClickHexAscii() {
    if (hexAscii_ == "Hex") {
        hexAscii_ = "Ascii";
        label1_ = "Search for Hex:";
    } else {
        hexAscii_ = "Hex";
        label1_ = "Search for Ascii:";
    }
}

ToolOutcome SearchDialogModel::Find(HexEditorModel& editor) {
    const std::vector<char32_t> characters = CharactersOf(text_);
    std::vector<std::uint8_t> pattern;
    if (HexMode()) {
        if (characters.empty() || characters.size() % 2 != 0) {
            return {ErrorBox("To few charaters in hex string"), false};
        }
        std::string upper;
        for (const char32_t c : characters) {
            upper += Utf8Of(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
        }
        text_ = upper;
        for (std::size_t i = 0; i < characters.size(); i += 2) {
            const std::string pair = Utf8Of(characters[i]) + Utf8Of(characters[i + 1]);
            const auto value = characters[i] < 0x80 && characters[i + 1] < 0x80
                                   ? ParseTypedHex(pair)
                                   : std::nullopt;
            if (!value) return {ConversionBox(pair), false};
            pattern.push_back(static_cast<std::uint8_t>(*value));
        }
    } else {
        for (const char32_t c : characters) {
            // A character that is no byte would be searched for as another.
            if (c > 0xFF) {
                return {ErrorBox("Only characters of Latin-1 can be searched for: " + Utf8Of(c)),
                        false};
            }
            pattern.push_back(static_cast<std::uint8_t>(c));
        }
    }
    return {editor.Find(std::move(pattern)), true};
}

}  // namespace karvo
