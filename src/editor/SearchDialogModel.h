#pragma once
#include <string>

#include "editor/HexEditorModel.h"

namespace karvo {

// The Search dialog (TSearsForm) without its window: hex or text mode, and
// Find, which hands the pattern to the editor.
class SearchDialogModel {
  public:
    // The mode is hex unless the mode button offers hex.
    bool HexMode() const { return hexAscii_ != "Hex"; }
    const std::string& Label1() const { return label1_; }
    const std::string& HexAsciiCaption() const { return hexAscii_; }
    void ClickHexAscii();

    // Edit1, as UTF-8.
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    // Button1: the pattern searched from offset 0, or the box that keeps
    // the dialog open.
    ToolOutcome Find(HexEditorModel& editor);

  private:
    std::string label1_ = "Search for Hex:";
    std::string hexAscii_ = "Ascii";
    std::string text_;
};

}  // namespace karvo
