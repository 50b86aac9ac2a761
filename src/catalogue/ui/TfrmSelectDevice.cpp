#include "catalogue/ui/TfrmSelectDevice.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "catalogue/ui/TwoColumnList.h"
#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

namespace {

constexpr QSize kClientSize(720, 380);
constexpr int kFamilyColumnWidth = 190;
constexpr int kManufacturerColumnWidth = 170;

QLabel* Heading(const char* text, const char* name, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// Puts a list's rows in step with the model's, without the list telling
// anyone: only the user's own clicks are clicks.
void ShowRows(QListWidget* list, const std::vector<std::string>& rows, int selected) {
    const QSignalBlocker quiet(list);
    bool same = list->count() == static_cast<int>(rows.size());
    for (int i = 0; same && i < list->count(); ++i) {
        same = list->item(i)->text() == QString::fromStdString(rows[static_cast<std::size_t>(i)]);
    }
    if (!same) {
        list->clear();
        for (const std::string& row : rows) list->addItem(QString::fromStdString(row));
    }
    const int valid = selected >= 0 && selected < list->count() ? selected : -1;
    list->setCurrentRow(valid);
    if (valid < 0) list->clearSelection();
    if (QListWidgetItem* item = list->item(valid)) list->scrollToItem(item);
}

}  // namespace

TfrmSelectDevice::TfrmSelectDevice(SelectionModel& model, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), model_(model) {
    setObjectName(QStringLiteral("frmSelectDevice"));
    setWindowTitle(QStringLiteral("   Select a Device"));
    AdoptOwnerLook(this, owner);

    BuildFamilies();
    BuildLists();
    BuildButtons();

    auto* columns = new QHBoxLayout;
    columns->setSpacing(14);
    auto* familyColumn = new QVBoxLayout;
    familyColumn->addWidget(Label3);
    auto* familyFrame = new QFrame(this);
    familyFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* familyBox = new QVBoxLayout(familyFrame);
    familyBox->setContentsMargins(10, 8, 10, 8);
    familyBox->setSpacing(6);
    for (QRadioButton* button : families_) familyBox->addWidget(button);
    familyColumn->addWidget(familyFrame);
    familyColumn->addStretch(1);
    auto* buttonColumn = new QHBoxLayout;
    buttonColumn->addWidget(BitBtn1);
    buttonColumn->addWidget(BitBtn2);
    familyColumn->addLayout(buttonColumn);

    auto* manufacturerColumn = new QVBoxLayout;
    manufacturerColumn->addWidget(Label1);
    manufacturerColumn->addWidget(ListBox1, 1);
    auto* deviceColumn = new QVBoxLayout;
    deviceColumn->addWidget(Label2);
    deviceColumn->addWidget(ListBox2, 1);

    auto* familyHolder = new QWidget(this);
    familyHolder->setFixedWidth(kFamilyColumnWidth);
    familyHolder->setLayout(familyColumn);
    familyColumn->setContentsMargins(0, 0, 0, 0);
    ListBox1->setFixedWidth(kManufacturerColumnWidth);
    columns->addWidget(familyHolder);
    columns->addLayout(manufacturerColumn);
    columns->addLayout(deviceColumn, 1);
    setLayout(columns);
    columns->setContentsMargins(14, 12, 14, 14);

    setFixedSize(kClientSize);
    // The arrow keys move through the devices and Enter takes one.
    ListBox2->setFocus();
    Render();
}

void TfrmSelectDevice::BuildFamilies() {
    Label3 = Heading("Select Device Type", "Label3", this);
    familyGroup_ = new QButtonGroup(this);
    familyGroup_->setExclusive(true);
    for (int i = 0; i < SelectionModel::kFamilyCount; ++i) {
        auto* button = new QRadioButton(
            QString::fromLatin1(SelectionModel::kFamilyCaptions[static_cast<std::size_t>(i)]),
            this);
        button->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        familyGroup_->addButton(button, i);
        families_[static_cast<std::size_t>(i)] = button;
    }
    // clicked, not toggled: showing the model's choice is no click.
    connect(familyGroup_, &QButtonGroup::idClicked, this, [this](int family) {
        model_.ClickFamily(family);
        Render();
    });
}

void TfrmSelectDevice::BuildLists() {
    Label1 = Heading("Manufacturer", "Label1", this);
    Label2 = Heading("Device", "Label2", this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox2 = new TwoColumnList(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    for (QListWidget* list : {ListBox1, ListBox2}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    // Arrow keys choose as a click does.
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        model_.ClickManufacturer(row);
        Render();
    });
    connect(ListBox2, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        model_.ClickDevice(row);
        Render();
    });
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        model_.ClickDevice(ListBox2->row(item));
        accept();
    });
}

void TfrmSelectDevice::BuildButtons() {
    BitBtn1 = new QPushButton(OkIcon(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(CancelIcon(), QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSelectDevice::Render() {
    const int checked = model_.CheckedFamily();
    // An exclusive group cannot show "none checked"; the model can.
    familyGroup_->setExclusive(false);
    for (int i = 0; i < SelectionModel::kFamilyCount; ++i) {
        QRadioButton* button = families_[static_cast<std::size_t>(i)];
        const QSignalBlocker quiet(button);
        button->setEnabled(model_.FamilyEnabled(i));
        button->setChecked(i == checked);
    }
    familyGroup_->setExclusive(true);
    // The remembered indexes are what the lists select.
    ShowRows(ListBox1, model_.Manufacturers(), model_.ManufIndex());
    ShowRows(ListBox2, model_.Devices(), model_.DeviceIndex());
}

}  // namespace karvo::ui
