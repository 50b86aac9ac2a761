#include "firmware/ui/UpdateWindows.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "common/ui/DialogPlacement.h"
#include "common/ui/GuiThread.h"

namespace karvo::ui {

UpdateWindow::UpdateWindow(QWidget* owner, UpdateWindowEvents events)
    : owner_(owner), form_(new TLoadFrm(owner)) {
    TLoadFrm* form = form_.data();
    form->SetMayClose(std::move(events.mayClose));
    QObject::connect(form, &TLoadFrm::ticked, form, [tick = std::move(events.tick)] {
        if (tick) tick();
    });
}

UpdateWindow::~UpdateWindow() {
    delete form_.data();
}

void UpdateWindow::ClearDisplay() {
    if (form_) form_->ClearDisplay();
}

void UpdateWindow::AppendLine(const std::string& line) {
    if (form_) form_->AppendLine(QString::fromStdString(line));
}

void UpdateWindow::SetProgress(int percent) {
    if (form_) form_->SetProgress(percent);
}

void UpdateWindow::StartTimer(int intervalMs) {
    if (form_) form_->StartTimer(intervalMs);
}

void UpdateWindow::StopTimer() {
    if (form_) form_->StopTimer();
}

void UpdateWindow::Post(std::function<void()> task) {
    QueueTo(form_, [task = std::move(task)](TLoadFrm*) { task(); });
}

void UpdateWindow::RunModal() {
    TLoadFrm* form = form_.data();
    if (closed_ || form == nullptr) return;
    if (owner_ != nullptr) {
        CentreOnOwner(form, owner_.data());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // The update at start-up comes before the main window: the screen's middle.
        form->move(screen->availableGeometry().center() - form->rect().center());
    }
    form->exec();
}

void UpdateWindow::Close() {
    closed_ = true;
    if (form_) form_->Finish();
}

std::unique_ptr<UpdateWindowPort> UpdateWindows::Create(UpdateWindowEvents events) {
    return std::make_unique<UpdateWindow>(owner_.data(), std::move(events));
}

void UpdateWindows::Pause(Clock& /*clock*/, int ms) {
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace karvo::ui
