#pragma once
#include <QDialog>

#include "editor/HexEditorModel.h"
#include "editor/SearchDialogModel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace karvo::ui {

// The Search dialog: a byte string in hex or as text, searched from the
// start of the buffer by the editor.
class TSearsForm final : public QDialog {
    Q_OBJECT

  public:
    TSearsForm(HexEditorModel& editor, QWidget* owner);

  private:
    void FindClicked();
    void Render();

    HexEditorModel& editor_;
    SearchDialogModel model_;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* HexAscii = nullptr;
};

}  // namespace karvo::ui
