#include "editor/ui/TSearsForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/ui/DialogPlacement.h"
#include "editor/ui/EditorBoxes.h"

namespace karvo::ui {

TSearsForm::TSearsForm(HexEditorModel& editor, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      editor_(editor) {
    setObjectName(QStringLiteral("SearsForm"));
    setWindowTitle(QStringLiteral("Search"));
    AdoptOwnerLook(this, owner);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(Edit1->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 32);
    Label1->setBuddy(Edit1);
    Button1 = new QPushButton(QStringLiteral("Find"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setMinimumWidth(96);
    connect(Button1, &QPushButton::clicked, this, &TSearsForm::FindClicked);
    HexAscii = new QPushButton(this);
    HexAscii->setObjectName(QStringLiteral("HexAscii"));
    HexAscii->setAutoDefault(false);
    HexAscii->setMinimumWidth(96);
    HexAscii->setToolTip(QStringLiteral("Search for the other kind of text"));
    connect(HexAscii, &QPushButton::clicked, this, [this] {
        model_.ClickHexAscii();
        Render();
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Edit1, 1, 0);
    grid->addWidget(Button1, 1, 1);
    grid->addWidget(HexAscii, 2, 1);
    grid->setColumnStretch(0, 1);

    Render();
    // Wide enough for either label, so a change of mode moves nothing.
    setFixedSize(sizeHint());
}

void TSearsForm::FindClicked() {
    model_.SetText(Edit1->text().toStdString());
    const ToolOutcome outcome = model_.Find(editor_);
    Edit1->setText(QString::fromStdString(model_.Text()));
    if (outcome.close) {
        accept();
        // The answer belongs to the editor, where the match is shown.
        ShowEditorBox(parentWidget(), outcome.box);
        return;
    }
    ShowEditorBox(this, outcome.box);
}

void TSearsForm::Render() {
    Label1->setText(QString::fromStdString(model_.Label1()));
    HexAscii->setText(QString::fromStdString(model_.HexAsciiCaption()));
}

}  // namespace karvo::ui
