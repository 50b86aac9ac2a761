#pragma once
#include <string>

#include "editor/HexEditorModel.h"

namespace karvo {

enum class CopyForm { Copy, Move };

// The Copy/Move dialog (TfrmCopy) without its window: source, count,
// destination and, when moving, the value left behind.
class CopyDialogModel {
  public:
    // selected: the editor's selected byte, the proposed source.
    CopyDialogModel(CopyForm form, std::uint32_t selected);

    CopyForm Form() const { return form_; }
    // The window's caption and Label1.
    const char* Caption() const { return form_ == CopyForm::Copy ? "Copy" : "Move"; }

    const std::string& BeginAdd() const { return beginAdd_; }
    const std::string& NrBytes() const { return nrBytes_; }
    const std::string& WhereAdd() const { return whereAdd_; }
    const std::string& ReplaceEd() const { return replaceEd_; }
    void SetBeginAdd(std::string text) { beginAdd_ = std::move(text); }
    void SetNrBytes(std::string text) { nrBytes_ = std::move(text); }
    void SetWhereAdd(std::string text) { whereAdd_ = std::move(text); }
    void SetReplaceEd(std::string text) { replaceEd_ = std::move(text); }

    ToolOutcome CopyClick(HexEditorModel& editor);
    ToolOutcome MoveClick(HexEditorModel& editor);

  private:
    struct Block {
        std::uint32_t source = 0;
        std::uint32_t count = 0;
        std::uint32_t destination = 0;
    };
    // The three boxes read as hex, or the box of the first that is not.
    std::optional<Block> ReadBlock(std::optional<EditorBox>& box) const;

    CopyForm form_;
    std::string beginAdd_;
    std::string nrBytes_ = "0";
    std::string whereAdd_ = "00000000";
    std::string replaceEd_;
};

}  // namespace karvo
