#include "firmware/ui/TLoadFrm.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

namespace {
constexpr QSize kDisplaySize(620, 300);
}

TLoadFrm::TLoadFrm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("LoadFrm"));
    setWindowTitle(QStringLiteral("Firmware Updating"));
    AdoptOwnerLook(this, owner);

    Display = new QPlainTextEdit(this);
    Display->setObjectName(QStringLiteral("Display"));
    Display->setReadOnly(true);
    Display->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Display->setMinimumSize(kDisplaySize);
    // Lines are the update's messages: no wrapping of the long ones.
    Display->setLineWrapMode(QPlainTextEdit::NoWrap);

    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setRange(0, 100);
    ProgBar->setValue(0);
    ProgBar->setFormat(QStringLiteral("%p%"));
    ProgBar->setAlignment(Qt::AlignCenter);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TLoadFrm::ticked);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    column->addWidget(Display, 1);
    column->addWidget(ProgBar);
    // Its content never needs more room: no resizing, no maximising.
    setFixedSize(sizeHint());
}

void TLoadFrm::ClearDisplay() {
    Display->clear();
}

void TLoadFrm::AppendLine(const QString& line) {
    Display->appendPlainText(line);
}

void TLoadFrm::SetProgress(int percent) {
    ProgBar->setValue(std::clamp(percent, 0, 100));
}

void TLoadFrm::StartTimer(int intervalMs) {
    Timer1->start(intervalMs);
}

void TLoadFrm::StopTimer() {
    Timer1->stop();
}

QStringList TLoadFrm::Lines() const {
    return Display->toPlainText().split('\n');
}

void TLoadFrm::Finish() {
    if (finished_) return;
    finished_ = true;
    Timer1->stop();
    done(QDialog::Accepted);
}

bool TLoadFrm::UserMayClose() {
    return finished_ || !mayClose_ || mayClose_();
}

void TLoadFrm::reject() {
    // Escape while the bootloader is being written changes nothing.
    if (!UserMayClose()) return;
    Finish();
}

void TLoadFrm::closeEvent(QCloseEvent* event) {
    if (!UserMayClose()) {
        event->ignore();
        return;
    }
    Finish();
    QDialog::closeEvent(event);
}

}  // namespace karvo::ui
