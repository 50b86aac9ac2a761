#pragma once
#include <array>

#include <QDialog>

#include "buffer/FileFormatModel.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace karvo::ui {

// The file format dialog over its FileFormatModel. Every click and every
// keystroke goes to the model first, and the dialog is then shown again from
// it: the model decides what a button may do and how a box's text reads.
// OK closes only when the model takes the offset; Cancel, Escape and the
// close box cancel.
class TfrmFileFormat final : public QDialog {
    Q_OBJECT

  public:
    TfrmFileFormat(FileFormatModel& model, QWidget* owner);

  public slots:
    void reject() override;

  private:
    QRadioButton* MakeRadio(const QString& caption, const char* name, QGroupBox* group);
    void OkClicked();
    // Shows the model: groups, enables, checks and box texts.
    void Render();

    FileFormatModel& model_;
    // In FileFormat order: Intel Hex, Motorola, Binary, Inh8m, Inx16.
    std::array<QRadioButton*, 5> formats_{};
    // In FillChoice order: Disable, device default, 0x00, 0xFF.
    std::array<QRadioButton*, 4> fills_{};
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QRadioButton* RB_Add = nullptr;
    QRadioButton* RB_Sub = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace karvo::ui
