#pragma once
#include <QGroupBox>
#include <QVBoxLayout>

namespace karvo::ui {

// A titled group box of a dialog, named for tests and style sheets.
QGroupBox* MakeGroup(const char* title, const char* name, QWidget* parent);
// Gives a group a column of controls with the dialogs' margins and spacing.
QVBoxLayout* ColumnOf(QGroupBox* group);

}  // namespace karvo::ui
