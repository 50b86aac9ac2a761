#pragma once
#include <array>

#include <QDialog>

#include "settings/OptionsModel.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace karvo::ui {

// The Options dialog over a prepared OptionsModel. A click goes to the model
// at once and every box is shown again from it, since one rule may change
// several boxes. There is no Cancel: OK, Escape and the close box all just
// close.
class TfrmOption final : public QDialog {
    Q_OBJECT

  public:
    TfrmOption(OptionsModel& model, QWidget* owner);

    QCheckBox* Box(OptionsModel::Box box) const { return boxes_[box]; }

  private:
    QCheckBox* MakeBox(OptionsModel::Box box, const QString& name, QWidget* group);
    // Shows the model: captions, visibility, enables and checks of all boxes.
    void Render();

    OptionsModel& model_;
    std::array<QCheckBox*, OptionsModel::kBoxCount> boxes_{};
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QPushButton* BitBtn3 = nullptr;
};

}  // namespace karvo::ui
