#include "operations/ui/TProgressForm.h"

#include <algorithm>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

namespace {
constexpr QSize kBarSize(600, 25);
}

TProgressForm::TProgressForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("ProgressForm"));
    AdoptOwnerLook(this, owner);

    ProgRun = new QProgressBar(this);
    ProgRun->setObjectName(QStringLiteral("ProgRun"));
    ProgRun->setFixedSize(kBarSize);
    ProgRun->setRange(0, 1);
    ProgRun->setValue(0);
    ProgRun->setFormat(QStringLiteral("%p%"));
    ProgRun->setAlignment(Qt::AlignCenter);
    ProgRun->setTextVisible(true);

    BitBtn1 = new QPushButton(AbortIcon(), QStringLiteral("Abort"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setMinimumWidth(110);
    // Enter must not abort an operation by accident.
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TProgressForm::abortClicked);

    // Left of Abort, so the window keeps its size whether a figure is shown
    // or not; the same width on the right keeps Abort in the middle.
    TimeLeft = new QLabel(this);
    TimeLeft->setObjectName(QStringLiteral("TimeLeft"));
    TimeLeft->setMinimumWidth(200);
    TimeLeft->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(TimeLeft, 1);
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    buttons->setStretch(2, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 14);
    column->setSpacing(14);
    column->addWidget(ProgRun);
    column->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TProgressForm::SetMaximum(int maximum) {
    // A bar of range 0..0 would turn into a busy indicator.
    ProgRun->setRange(0, std::max(maximum, 1));
}

void TProgressForm::SetValue(int value) {
    // Out of range the bar would ignore the value and stand still.
    ProgRun->setValue(std::clamp(value, ProgRun->minimum(), ProgRun->maximum()));
}

void TProgressForm::SetTimeLeft(const QString& text) {
    if (TimeLeft->text() != text) TimeLeft->setText(text);
}

void TProgressForm::Finish() {
    if (finished_) return;
    finished_ = true;
    done(QDialog::Accepted);
}

void TProgressForm::reject() {
    // Escape: the operation goes on; Abort is the way out.
    if (finished_) QDialog::reject();
}

void TProgressForm::closeEvent(QCloseEvent* event) {
    if (finished_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace karvo::ui
