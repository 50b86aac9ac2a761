#include "editor/ui/TfrmFill.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/ui/DialogGroups.h"
#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"
#include "editor/ui/EditorBoxes.h"

namespace karvo::ui {

namespace {
QLineEdit* MakeBox(const char* name, int length, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(length);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    return edit;
}
}  // namespace

TfrmFill::TfrmFill(HexEditorModel& editor, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      editor_(editor),
      model_(editor.Device()) {
    setObjectName(QStringLiteral("frmFill"));
    setWindowTitle(QStringLiteral("Buffer Fill"));
    AdoptOwnerLook(this, owner);

    Edit1 = MakeBox("Edit1", 8, this);
    Edit2 = MakeBox("Edit2", 8, this);
    Edit3 = MakeBox("Edit3", model_.DataLength(), this);
    // Every keystroke reaches the model, which the dialog then shows.
    connect(Edit1, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetFrom(text.toStdString()); });
    connect(Edit2, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetTo(text.toStdString()); });
    connect(Edit3, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.SetData(text.toStdString());
        Render();
    });

    QGroupBox* size = MakeGroup(" Size ", "GroupBox1", this);
    QVBoxLayout* sizeColumn = ColumnOf(size);
    RadioButton1 = new QRadioButton(QStringLiteral("Byte"), size);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("Word"), size);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    for (QRadioButton* radio : {RadioButton1, RadioButton2}) {
        radio->setAutoExclusive(false);
        sizeColumn->addWidget(radio);
    }
    connect(RadioButton1, &QRadioButton::clicked, this, [this] {
        model_.ClickByte();
        Render();
    });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] {
        model_.ClickWord();
        Render();
    });

    BitBtn1 = new QPushButton(OkIcon(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumWidth(96);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmFill::OkClicked);
    BitBtn2 = new QPushButton(CancelIcon(), QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    BitBtn2->setMinimumWidth(96);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(8);
    form->addRow(QStringLiteral("From"), Edit1);
    form->addRow(QStringLiteral("To"), Edit2);
    form->addRow(QStringLiteral("Data"), Edit3);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addLayout(form);
    top->addWidget(size, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);
    column->addLayout(top);
    column->addLayout(buttons);

    Render();
    setFixedSize(sizeHint());
}

void TfrmFill::OkClicked() {
    const ToolOutcome outcome = model_.Ok(editor_);
    ShowEditorBox(this, outcome.box);
    if (outcome.close) accept();
}

void TfrmFill::Render() {
    auto show = [](QLineEdit* edit, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        if (edit->text() == shown) return;
        const int caret = edit->cursorPosition();
        edit->setText(shown);
        edit->setCursorPosition(std::min(caret, static_cast<int>(shown.size())));
    };
    show(Edit1, model_.From());
    show(Edit2, model_.To());
    Edit3->setMaxLength(model_.DataLength());
    show(Edit3, model_.Data());
    RadioButton1->setChecked(!model_.WordMode());
    RadioButton2->setChecked(model_.WordMode());
}

}  // namespace karvo::ui
