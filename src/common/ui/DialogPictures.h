#pragma once
#include <QIcon>

namespace karvo::ui {

// The small pictures on the dialogs' buttons, drawn like the toolbar's.
QIcon OkIcon();      // a green tick
QIcon CancelIcon();  // a red cross
QIcon AbortIcon();   // a red stop sign

}  // namespace karvo::ui
