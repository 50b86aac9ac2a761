#pragma once
#include <optional>
#include <string>

#include "buffer/HexText.h"
#include "ports/PromptPort.h"

namespace karvo {

// A message box the editor or one of its tools wants shown. The editor's
// logic never shows one itself: the window shows it over the dialog the user
// is looking at, karvo-cli prints it.
struct EditorBox {
    BoxKind kind = BoxKind::Error;
    std::string caption;
    std::string text;
};

// Plain error and information boxes carry the captions the platform gives
// them; a typed number that is not one is shown under the program's title.
inline constexpr const char* kEditorErrorCaption = "Error";
inline constexpr const char* kEditorInformationCaption = "Information";
inline constexpr const char* kInvalidDataCaption = "Invalid Data";
inline constexpr const char* kEditorProgramCaption = "KARVO Mk2";

inline EditorBox ErrorBox(std::string text) {
    return {BoxKind::Error, kEditorErrorCaption, std::move(text)};
}
inline EditorBox InvalidDataBox(std::string text) {
    return {BoxKind::Error, kInvalidDataCaption, std::move(text)};
}
// Typed text that was to be a hexadecimal number and is not.
inline EditorBox ConversionBox(const std::string& typed) {
    return {BoxKind::Error, kEditorProgramCaption, ConversionErrorText("$" + typed)};
}

// How pressing a tool dialog's button ends: the box to show, if any, and
// whether the dialog closes.
struct ToolOutcome {
    std::optional<EditorBox> box;
    bool close = false;
};

}  // namespace karvo
