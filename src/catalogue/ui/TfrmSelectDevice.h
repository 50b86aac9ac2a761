#pragma once
#include <array>

#include <QDialog>

#include "catalogue/DeviceSearch.h"
#include "catalogue/SelectionModel.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace karvo::ui {

// The device selection dialog over a prepared SelectionModel: family
// buttons, manufacturers, the devices of the chosen manufacturer, OK and
// Cancel. Every click goes to the model and the dialog shows the model again.
// Typing in the find box lists the matching chips of both data files instead
// of the two lists; the arrow keys move through them and each one reached is
// chosen as if its family, manufacturer and device had been clicked.
class TfrmSelectDevice final : public QDialog {
    Q_OBJECT

  public:
    TfrmSelectDevice(SelectionModel& model, QWidget* owner);

    QListWidget* Manufacturers() const { return ListBox1; }
    QListWidget* Devices() const { return ListBox2; }
    QLineEdit* FindBox() const { return EditFind; }
    QTreeWidget* Found() const { return FoundList; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildFamilies();
    void BuildLists();
    void BuildButtons();
    void BuildFind();
    // The chips matching the find box, or the two lists when it is empty.
    void ShowFound(const QString& text);
    // The found chip of that row becomes the model's choice.
    void ChooseFound(int row);
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

    DeviceSearch search_;
    std::vector<const CatalogueEntry*> found_;
    QLabel* LabelFind = nullptr;
    QLineEdit* EditFind = nullptr;
    QLabel* LabelFound = nullptr;
    QTreeWidget* FoundList = nullptr;
    QStackedWidget* listsOrFound_ = nullptr;
};

}  // namespace karvo::ui
