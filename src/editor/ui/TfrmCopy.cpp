#include "editor/ui/TfrmCopy.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"
#include "editor/ui/EditorBoxes.h"

namespace karvo::ui {

namespace {
QLineEdit* MakeBox(const char* name, const std::string& text, int length, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(length);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    return edit;
}
}  // namespace

TfrmCopy::TfrmCopy(HexEditorModel& editor, CopyForm form, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      editor_(editor),
      model_(form, editor.SelectedOffset()) {
    const bool move = form == CopyForm::Move;
    setObjectName(QStringLiteral("frmCopy"));
    setWindowTitle(QString::fromLatin1(model_.Caption()));
    AdoptOwnerLook(this, owner);

    Label1 = new QLabel(QString::fromLatin1(model_.Caption()), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title = Label1->font();
    title.setBold(true);
    Label1->setFont(title);
    BeginAdd = MakeBox("BeginAdd", model_.BeginAdd(), 8, this);
    NrBytes = MakeBox("NrBytes", model_.NrBytes(), 8, this);
    WhereAdd = MakeBox("WhereAdd", model_.WhereAdd(), 8, this);
    WhereAdd->setToolTip(QStringLiteral("Address"));
    Label7 = new QLabel(QStringLiteral("Replace Moved with"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    ReplaceEd = MakeBox("ReplaceEd", model_.ReplaceEd(), 2, this);
    ReplaceEd->setToolTip(QStringLiteral("Leave empty if you don't want to Replace values"));
    Label8 = new QLabel(QStringLiteral("All HEX values"), this);
    Label8->setObjectName(QStringLiteral("Label8"));

    CopyBt = new QPushButton(QStringLiteral("Copy"), this);
    CopyBt->setObjectName(QStringLiteral("CopyBt"));
    MoveBt = new QPushButton(QStringLiteral("Move"), this);
    MoveBt->setObjectName(QStringLiteral("MoveBt"));
    for (QPushButton* button : {CopyBt, MoveBt}) button->setMinimumWidth(96);
    (move ? MoveBt : CopyBt)->setDefault(true);
    connect(CopyBt, &QPushButton::clicked, this, [this] { Clicked(false); });
    connect(MoveBt, &QPushButton::clicked, this, [this] { Clicked(true); });
    CancelBt = new QPushButton(CancelIcon(), QStringLiteral("Cancel"), this);
    CancelBt->setObjectName(QStringLiteral("CancelBt"));
    CancelBt->setAutoDefault(false);
    CancelBt->setMinimumWidth(96);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);

    auto* rows = new QFormLayout;
    rows->setHorizontalSpacing(10);
    rows->setVerticalSpacing(8);
    rows->addRow(Label1);
    rows->addRow(QStringLiteral("Begin address"), BeginAdd);
    rows->addRow(QStringLiteral("Number of bytes"), NrBytes);
    rows->addRow(QStringLiteral("To"), WhereAdd);
    if (move) {
        rows->addRow(Label7, ReplaceEd);
    } else {
        Label7->hide();
        ReplaceEd->hide();
    }
    rows->addRow(Label8);
    CopyBt->setVisible(!move);
    MoveBt->setVisible(move);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(move ? MoveBt : CopyBt);
    buttons->addWidget(CancelBt);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);
    column->addLayout(rows);
    column->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TfrmCopy::Clicked(bool move) {
    model_.SetBeginAdd(BeginAdd->text().toStdString());
    model_.SetNrBytes(NrBytes->text().toStdString());
    model_.SetWhereAdd(WhereAdd->text().toStdString());
    model_.SetReplaceEd(ReplaceEd->text().toStdString());
    const ToolOutcome outcome = move ? model_.MoveClick(editor_) : model_.CopyClick(editor_);
    ShowEditorBox(this, outcome.box);
    if (outcome.close) accept();
}

}  // namespace karvo::ui
