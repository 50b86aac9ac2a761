#include "catalogue/ui/TfrmSelectDevice.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeWidget>
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
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      model_(model),
      search_(DeviceSearch::FromProgramDirectory()) {
    setObjectName(QStringLiteral("frmSelectDevice"));
    setWindowTitle(QStringLiteral("   Select a Device"));
    AdoptOwnerLook(this, owner);

    BuildFamilies();
    BuildLists();
    BuildButtons();
    BuildFind();

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
    familyColumn->addSpacing(10);
    familyColumn->addWidget(LabelFind);
    familyColumn->addWidget(EditFind);
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
    auto* lists = new QWidget(this);
    auto* listColumns = new QHBoxLayout(lists);
    listColumns->setContentsMargins(0, 0, 0, 0);
    listColumns->setSpacing(14);
    listColumns->addLayout(manufacturerColumn);
    listColumns->addLayout(deviceColumn, 1);
    auto* found = new QWidget(this);
    auto* foundColumn = new QVBoxLayout(found);
    foundColumn->setContentsMargins(0, 0, 0, 0);
    foundColumn->addWidget(LabelFound);
    foundColumn->addWidget(FoundList, 1);
    listsOrFound_ = new QStackedWidget(this);
    listsOrFound_->addWidget(lists);
    listsOrFound_->addWidget(found);
    columns->addWidget(listsOrFound_, 1);
    setLayout(columns);
    columns->setContentsMargins(14, 12, 14, 14);

    setFixedSize(kClientSize);
    // Typing finds a chip at once; with the box empty the arrow keys move
    // through the devices and Enter takes one.
    EditFind->setFocus();
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

void TfrmSelectDevice::BuildFind() {
    LabelFind = Heading("Find a Device", "LabelFind", this);
    EditFind = new QLineEdit(this);
    EditFind->setObjectName(QStringLiteral("EditFind"));
    EditFind->setPlaceholderText(QStringLiteral("part of a name: 27C256"));
    EditFind->setClearButtonEnabled(true);
    EditFind->installEventFilter(this);
    LabelFound = Heading("", "LabelFound", this);
    FoundList = new QTreeWidget(this);
    FoundList->setObjectName(QStringLiteral("FoundList"));
    FoundList->setColumnCount(3);
    FoundList->setHeaderLabels(
        {QStringLiteral("Device"), QStringLiteral("Manufacturer"), QStringLiteral("Type")});
    FoundList->setRootIsDecorated(false);
    FoundList->setUniformRowHeights(true);
    FoundList->setSelectionMode(QAbstractItemView::SingleSelection);
    FoundList->setFocusPolicy(Qt::NoFocus);  // the keys stay in the find box
    FoundList->header()->setStretchLastSection(true);
    FoundList->setColumnWidth(0, 190);
    FoundList->setColumnWidth(1, 150);
    connect(EditFind, &QLineEdit::textChanged, this, &TfrmSelectDevice::ShowFound);
    connect(FoundList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { ChooseFound(FoundList->indexOfTopLevelItem(item)); });
    connect(FoundList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        ChooseFound(FoundList->indexOfTopLevelItem(item));
        accept();
    });
}

void TfrmSelectDevice::ShowFound(const QString& text) {
    found_ = search_.Find(text.toStdString());
    const bool finding = !text.trimmed().isEmpty();
    {
        const QSignalBlocker quiet(FoundList);
        FoundList->clear();
        for (const CatalogueEntry* entry : found_) {
            FoundList->addTopLevelItem(new QTreeWidgetItem(
                {QString::fromStdString(entry->Name()), QString::fromStdString(entry->manufacturer),
                 QString::fromLatin1(
                     SelectionModel::kFamilyCaptions[static_cast<std::size_t>(entry->family)])}));
        }
    }
    if (found_.empty()) {
        LabelFound->setText(
            QStringLiteral("No device name contains \u201C%1\u201D").arg(text.trimmed()));
    } else {
        LabelFound->setText(found_.size() == 1
                                ? QStringLiteral("1 device found")
                                : QStringLiteral("%1 devices found").arg(found_.size()));
    }
    listsOrFound_->setCurrentIndex(finding ? 1 : 0);
    // The best match is chosen at once: Enter takes it.
    if (!found_.empty()) FoundList->setCurrentItem(FoundList->topLevelItem(0));
}

void TfrmSelectDevice::ChooseFound(int row) {
    if (row < 0 || row >= static_cast<int>(found_.size())) return;
    const CatalogueEntry& entry = *found_[static_cast<std::size_t>(row)];
    if (model_.CheckedFamily() != entry.family) model_.ClickFamily(entry.family);
    model_.ClickManufacturer(entry.manufIndex);
    model_.ClickDevice(entry.deviceIndex);
    Render();
}

bool TfrmSelectDevice::eventFilter(QObject* watched, QEvent* event) {
    if (watched != EditFind || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool finding = listsOrFound_->currentIndex() == 1;
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            // The box has no use for them: they move through the list shown.
            QWidget* list = finding ? static_cast<QWidget*>(FoundList) : ListBox2;
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            QCoreApplication::sendEvent(list, &copy);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Nothing found: Enter must not take the chip chosen before.
            if (finding && found_.empty()) return true;
            accept();
            return true;
        case Qt::Key_Escape:
            // The first Escape empties the box, the next one cancels.
            if (!EditFind->text().isEmpty()) {
                EditFind->clear();
                return true;
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
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
