#pragma once

class QWidget;

namespace karvo::ui {

// A dialog of this program takes the main window's font and colours.
void AdoptOwnerLook(QWidget* dialog, const QWidget* owner);

// Places a window not yet shown so that it sits centred over its owner,
// kept on the owner's screen. Without an owner it stays where Qt puts it.
void CentreOnOwner(QWidget* window, const QWidget* owner);

}  // namespace karvo::ui
