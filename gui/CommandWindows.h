#pragma once
#include "app/ui/TfrmMains.h"

namespace karvo::ui {

// Every command window of the program, for the main window as their owner:
// the selection dialog, the options dialog, the file dialogs, the
// progress windows and the hex editor.
CommandWindows MakeCommandWindows(QWidget* owner);

}  // namespace karvo::ui
