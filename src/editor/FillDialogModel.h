#pragma once
#include <string>

#include "catalogue/DeviceRecord.h"
#include "editor/HexEditorModel.h"

namespace karvo {

// The Buffer Fill dialog (TfrmFill) without its window: From, To and Data as
// typed, byte or word mode.
class FillDialogModel {
  public:
    explicit FillDialogModel(const DeviceRecord& device);

    const std::string& From() const { return from_; }
    const std::string& To() const { return to_; }
    const std::string& Data() const { return data_; }
    void SetFrom(std::string text) { from_ = std::move(text); }
    void SetTo(std::string text) { to_ = std::move(text); }
    // Data takes upper case only.
    void SetData(const std::string& text);

    bool WordMode() const { return words_; }
    // How many digits Data takes: 2 in byte mode, 4 in word mode.
    int DataLength() const { return words_ ? 4 : 2; }
    void ClickByte();
    void ClickWord();

    // OK: the fill, or the box that says why not.
    ToolOutcome Ok(HexEditorModel& editor);

  private:
    std::string from_ = "0";
    std::string to_;
    std::string data_;
    bool words_ = false;
};

}  // namespace karvo
