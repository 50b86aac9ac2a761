#pragma once
#include <optional>

#include "editor/EditorBox.h"

class QWidget;

namespace karvo::ui {

// Shows a box of the editor or its tools over the window the user is
// looking at, with the OK button only; nothing when there is none.
void ShowEditorBox(QWidget* over, const std::optional<EditorBox>& box);

}  // namespace karvo::ui
