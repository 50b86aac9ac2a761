#pragma once
#include <array>

#include <QDialog>

#include "catalogue/SelectionModel.h"

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace karvo::ui {

// The device selection dialog over a prepared SelectionModel: family
// buttons, manufacturers, the devices of the chosen manufacturer, OK and
// Cancel. Every click goes to the model and the dialog shows the model again.
class TfrmSelectDevice final : public QDialog {
    Q_OBJECT

  public:
    TfrmSelectDevice(SelectionModel& model, QWidget* owner);

    QListWidget* Manufacturers() const { return ListBox1; }
    QListWidget* Devices() const { return ListBox2; }

  private:
    void BuildFamilies();
    void BuildLists();
    void BuildButtons();
    // Shows the model: family buttons, both lists and their selections.
    void Render();

    SelectionModel& model_;
    std::array<QRadioButton*, SelectionModel::kFamilyCount> families_{};
    QButtonGroup* familyGroup_ = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace karvo::ui
