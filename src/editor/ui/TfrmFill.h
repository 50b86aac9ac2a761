#pragma once
#include <QDialog>

#include "editor/FillDialogModel.h"
#include "editor/HexEditorModel.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace karvo::ui {

// The Buffer Fill dialog: a range filled with a byte or a word.
class TfrmFill final : public QDialog {
    Q_OBJECT

  public:
    TfrmFill(HexEditorModel& editor, QWidget* owner);

  private:
    void OkClicked();
    void Render();

    HexEditorModel& editor_;
    FillDialogModel model_;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace karvo::ui
