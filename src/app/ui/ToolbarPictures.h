#pragma once
#include <QIcon>

#include "ports/MainViewPort.h"

namespace karvo::ui {

// The program's own toolbar pictures, drawn in code.
QIcon ToolbarIcon(ToolButton button);

// The window and desktop icon: a chip.
QIcon ApplicationIcon();

}  // namespace karvo::ui
