#include "buffer/ui/TfrmFileFormat.h"

#include <algorithm>
#include <utility>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/ui/DialogGroups.h"
#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

namespace {

// A conversion error nobody handles is shown under the program's title.
constexpr const char* kProgramCaption = "KARVO Mk2";

constexpr std::pair<FileFormat, const char*> kFormatButtons[] = {
    {FileFormat::FormatIntelHex, "RB_Intelhex"}, {FileFormat::FormatMotorola, "RB_Motorola"},
    {FileFormat::FormatBinary, "RB_Binary"},     {FileFormat::FormatInh8m, "RB_Inh8m"},
    {FileFormat::FormatInx16, "RB_Inx16"},
};

// Listed as the dialog shows them; the array index is the FillChoice.
struct FillButton {
    FillChoice fill;
    const char* name;
    const char* caption;
};
constexpr FillButton kFillButtons[] = {
    {FillChoice::DeviceDefault, "RB_Default", "Fill with Device default"},
    {FillChoice::Zero, "RB_Zero", "Fill with 0x00"},
    {FillChoice::FF, "RB_FF", "Fill with 0xFF"},
    {FillChoice::Disable, "RB_No", "Disable"},
};

QLineEdit* MakeBox(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(static_cast<int>(FileFormatModel::kBoxLength));
    // Room for the eight digits and a little more.
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    return edit;
}

QLabel* MakeLabel(const char* text, QLineEdit* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

// Sets a box's text only when the model changed it, keeping the caret where
// the user left it.
void ShowText(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() == shown) return;
    const int caret = edit->cursorPosition();
    edit->setText(shown);
    edit->setCursorPosition(std::min(caret, static_cast<int>(shown.size())));
}

}  // namespace

TfrmFileFormat::TfrmFileFormat(FileFormatModel& model, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      model_(model) {
    setObjectName(QStringLiteral("frmFileFormat"));
    setWindowTitle(QString::fromLatin1(FileFormatModel::kCaption));
    AdoptOwnerLook(this, owner);

    GroupBox2 = MakeGroup(" File Format  ", "GroupBox2", this);
    QVBoxLayout* formatColumn = ColumnOf(GroupBox2);
    for (const auto& [format, name] : kFormatButtons) {
        QRadioButton* radio =
            MakeRadio(QString::fromLatin1(FormatCaption(format)), name, GroupBox2);
        formatColumn->addWidget(radio);
        formats_[static_cast<std::size_t>(format)] = radio;
        connect(radio, &QRadioButton::clicked, this, [this, format = format] {
            model_.ClickFormat(format);
            Render();
        });
    }
    formatColumn->addStretch(1);

    GroupBox1 = MakeGroup(" Buffer Fill Option ", "GroupBox1", this);
    QVBoxLayout* fillColumn = ColumnOf(GroupBox1);
    for (const FillButton& button : kFillButtons) {
        QRadioButton* radio =
            MakeRadio(QString::fromLatin1(button.caption), button.name, GroupBox1);
        fillColumn->addWidget(radio);
        fills_[static_cast<std::size_t>(button.fill)] = radio;
        connect(radio, &QRadioButton::clicked, this, [this, fill = button.fill] {
            model_.ClickFill(fill);
            Render();
        });
    }
    fillColumn->addStretch(1);

    GroupBox3 = MakeGroup(" Offset ", "GroupBox3", this);
    Edit1 = MakeBox("Edit1", GroupBox3);
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.TypeOffset(text.toStdString());
        Render();
    });
    RB_Add = MakeRadio(QStringLiteral("Add"), "RB_Add", GroupBox3);
    RB_Sub = MakeRadio(QStringLiteral("Subtract"), "RB_Sub", GroupBox3);
    connect(RB_Add, &QRadioButton::clicked, this, [this] {
        model_.ClickAdd();
        Render();
    });
    connect(RB_Sub, &QRadioButton::clicked, this, [this] {
        model_.ClickSubtract();
        Render();
    });
    auto* offsetRow = new QHBoxLayout(GroupBox3);
    offsetRow->setContentsMargins(14, 12, 14, 12);
    offsetRow->setSpacing(10);
    offsetRow->addWidget(MakeLabel("Hex", Edit1, GroupBox3));
    offsetRow->addWidget(Edit1);
    offsetRow->addSpacing(12);
    offsetRow->addWidget(RB_Add);
    offsetRow->addWidget(RB_Sub);
    offsetRow->addStretch(1);

    GroupBox4 = MakeGroup(" Start - Stop ", "GroupBox4", this);
    Edit2 = MakeBox("Edit2", GroupBox4);
    Edit3 = MakeBox("Edit3", GroupBox4);
    connect(Edit2, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.TypeStart(text.toStdString());
        Render();
    });
    connect(Edit3, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.TypeStop(text.toStdString());
        Render();
    });
    auto* rangeRow = new QHBoxLayout(GroupBox4);
    rangeRow->setContentsMargins(14, 12, 14, 12);
    rangeRow->setSpacing(10);
    rangeRow->addWidget(MakeLabel("Start", Edit2, GroupBox4));
    rangeRow->addWidget(Edit2);
    rangeRow->addSpacing(12);
    rangeRow->addWidget(MakeLabel("Stop", Edit3, GroupBox4));
    rangeRow->addWidget(Edit3);
    rangeRow->addStretch(1);

    BitBtn1 = new QPushButton(OkIcon(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumWidth(96);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmFileFormat::OkClicked);
    BitBtn2 = new QPushButton(CancelIcon(), QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setMinimumWidth(96);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmFileFormat::reject);

    // The offset and the range share a place; only one of them shows.
    auto* grid = new QGridLayout;
    grid->setSpacing(12);
    grid->addWidget(GroupBox2, 0, 0);
    grid->addWidget(GroupBox1, 0, 1);
    grid->addWidget(GroupBox3, 1, 0, 1, 2);
    grid->addWidget(GroupBox4, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);
    column->addLayout(grid);
    column->addLayout(buttons);

    Render();
    // The layout is fixed for the dialog's life, so is the size.
    setFixedSize(sizeHint());
}

QRadioButton* TfrmFileFormat::MakeRadio(const QString& caption, const char* name,
                                        QGroupBox* group) {
    auto* radio = new QRadioButton(caption, group);
    radio->setObjectName(QString::fromLatin1(name));
    // The model alone decides which button is checked.
    radio->setAutoExclusive(false);
    return radio;
}

void TfrmFileFormat::OkClicked() {
    if (const auto error = model_.Ok()) {
        // Only this click ends: the user may correct the offset.
        QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kProgramCaption),
                        QString::fromStdString(*error), QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        Render();
        return;
    }
    accept();
}

void TfrmFileFormat::reject() {
    model_.Cancel();
    QDialog::reject();
}

void TfrmFileFormat::Render() {
    for (const auto& [format, name] : kFormatButtons) {
        QRadioButton* radio = formats_[static_cast<std::size_t>(format)];
        radio->setEnabled(model_.FormatEnabled(format));
        radio->setChecked(model_.CheckedFormat() == format);
    }
    GroupBox1->setVisible(model_.FillGroupVisible());
    for (const FillButton& button : kFillButtons) {
        fills_[static_cast<std::size_t>(button.fill)]->setChecked(model_.CheckedFill() ==
                                                                  button.fill);
    }
    GroupBox3->setVisible(model_.OffsetGroupVisible());
    RB_Sub->setChecked(model_.SubtractChecked());
    RB_Add->setChecked(!model_.SubtractChecked());
    ShowText(Edit1, model_.OffsetText());
    GroupBox4->setVisible(model_.RangeGroupVisible());
    ShowText(Edit2, model_.StartText());
    ShowText(Edit3, model_.StopText());
}

}  // namespace karvo::ui
