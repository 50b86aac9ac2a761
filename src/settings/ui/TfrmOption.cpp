#include "settings/ui/TfrmOption.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/DialogGroups.h"
#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

TfrmOption::TfrmOption(OptionsModel& model, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      model_(model) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("Options"));
    AdoptOwnerLook(this, owner);

    GroupBox1 = MakeGroup(" General Options ", "GroupBox1", this);
    QVBoxLayout* generalColumn = ColumnOf(GroupBox1);
    using B = OptionsModel;
    const std::pair<B::Box, const char*> general[] = {
        {B::kInsertionTest, "CheckBox1"}, {B::kBitTesting, "CheckBox2"},
        {B::kIdCheck, "CheckBox3"},       {B::kVerifyMaxMin, "CheckBox4"},
        {B::kMemoryFill, "CheckBox5"},    {B::kProductionMode, "CheckBox6"},
        {B::kSerialNumber, "CheckBox8"},  {B::kOddEven, "OddEvenBox"},
        {B::kSoundOn, "ChSoundON"}};
    for (const auto& [box, name] : general) MakeBox(box, QString::fromLatin1(name), GroupBox1);
    generalColumn->addStretch(1);

    // The steps in bit order, erase last: the order a Program runs them.
    GroupBox3 = MakeGroup(" Programming Options ", "GroupBox3", this);
    QVBoxLayout* stepColumn = ColumnOf(GroupBox3);
    for (int step : {1, 2, 3, 4, 5, 6, 0}) {
        MakeBox(B::StepBox(step), QStringLiteral("ProgStep%1").arg(step), GroupBox3);
    }
    stepColumn->addStretch(1);

    BitBtn3 = new QPushButton(OkIcon(), QStringLiteral("OK"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setDefault(true);
    BitBtn3->setMinimumWidth(96);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);

    auto* groups = new QHBoxLayout;
    groups->setSpacing(12);
    groups->addWidget(GroupBox1, 0, Qt::AlignTop);
    groups->addWidget(GroupBox3, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(12);
    column->addLayout(groups);
    column->addLayout(buttons);

    Render();
    // Fits what the device offers: without programming steps the dialog is
    // as wide as the general options alone. Clicks change no visibility, so
    // the size holds while the dialog is open.
    setFixedSize(sizeHint());
}

QCheckBox* TfrmOption::MakeBox(OptionsModel::Box box, const QString& name, QWidget* group) {
    auto* check = new QCheckBox(group);
    check->setObjectName(name);
    group->layout()->addWidget(check);
    boxes_[box] = check;
    // clicked, not toggled: only the user's click is a click; showing the
    // model's state is not.
    connect(check, &QCheckBox::clicked, this, [this, box](bool checked) {
        model_.SetChecked(box, checked);
        Render();
    });
    return check;
}

void TfrmOption::Render() {
    for (int i = 0; i < OptionsModel::kBoxCount; ++i) {
        const auto box = static_cast<OptionsModel::Box>(i);
        const OptionsModel::BoxState& state = model_.State(box);
        QCheckBox* check = boxes_[box];
        // The captions use '&&' for a shown '&', as Qt does.
        check->setText(QString::fromStdString(state.caption));
        check->setVisible(state.visible);
        check->setEnabled(state.enabled);
        check->setChecked(state.checked);
    }
    const bool programming = model_.ProgrammingGroupVisible();
    GroupBox3->setVisible(programming);
    GroupBox3->setEnabled(programming);
}

}  // namespace karvo::ui
