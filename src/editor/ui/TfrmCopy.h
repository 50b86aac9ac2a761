#pragma once
#include <QDialog>

#include "editor/CopyDialogModel.h"
#include "editor/HexEditorModel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace karvo::ui {

// The Copy dialog, and in its Move form the same with the value left behind.
class TfrmCopy final : public QDialog {
    Q_OBJECT

  public:
    TfrmCopy(HexEditorModel& editor, CopyForm form, QWidget* owner);

  private:
    void Clicked(bool move);

    HexEditorModel& editor_;
    CopyDialogModel model_;
    QLabel* Label1 = nullptr;
    QLineEdit* BeginAdd = nullptr;
    QLineEdit* NrBytes = nullptr;
    QLineEdit* WhereAdd = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* ReplaceEd = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* CopyBt = nullptr;
    QPushButton* MoveBt = nullptr;
    QPushButton* CancelBt = nullptr;
};

}  // namespace karvo::ui
