#include "operations/ui/ProgressWindows.h"

#include <QTimer>

#include "common/ui/DialogPlacement.h"
#include "operations/ui/TProgressForm.h"

namespace karvo::ui {

ProgressWindow::ProgressWindow(QWidget* owner, std::function<void()> onAbort)
    : owner_(owner), form_(new TProgressForm(owner)) {
    QObject::connect(form_.data(), &TProgressForm::abortClicked, form_.data(),
                     [onAbort = std::move(onAbort)] {
                         if (onAbort) onAbort();
                     });
    // A step that moves slowly (a long erase, a big write) still counts down.
    auto* tick = new QTimer(form_.data());
    tick->setInterval(1000);
    QObject::connect(tick, &QTimer::timeout, form_.data(), [this] { ShowTimeLeft(); });
    tick->start();
}

ProgressWindow::~ProgressWindow() {
    delete form_.data();
}

// Once closed the window shows nothing new: a late update from a worker
// winding down after Abort changes nothing.
void ProgressWindow::SetCaption(const std::string& caption) {
    if (!form_ || closed_) return;
    form_->setWindowTitle(QString::fromStdString(caption));
    // Another step: what the last one took says nothing about it.
    estimate_.Start(maximum_);
    ShowTimeLeft();
}

void ProgressWindow::SetMaximum(int maximum) {
    if (!form_ || closed_) return;
    form_->SetMaximum(maximum);
    maximum_ = maximum;
    estimate_.Start(maximum);
    ShowTimeLeft();
}

void ProgressWindow::SetValue(int value) {
    if (form_ && !closed_) form_->SetValue(value);
}

void ProgressWindow::SetValueAt(int value, std::int64_t atMs) {
    if (!form_ || closed_) return;
    form_->SetValue(value);
    estimate_.Update(value, atMs);
    sinceValue_.start();
    ShowTimeLeft();
}

void ProgressWindow::ShowTimeLeft() {
    if (!form_ || closed_) return;
    const auto last = estimate_.LastUpdateMs();
    const std::int64_t since = sinceValue_.isValid() ? sinceValue_.elapsed() : 0;
    const auto left = last ? estimate_.RemainingMs(*last + since) : std::nullopt;
    form_->SetTimeLeft(left ? QString::fromStdString(FormatTimeLeft(*left)) : QString());
}

void ProgressWindow::RunModal() {
    // Closed before it was shown (an operation that ended at once): no
    // window to wait in, as without a screen.
    if (closed_ || !form_) return;
    CentreOnOwner(form_.data(), owner_.data());
    form_->exec();
}

void ProgressWindow::Close() {
    closed_ = true;
    if (form_) form_->Finish();
}

std::unique_ptr<ProgressWindowPort> ProgressWindows::Create(std::function<void()> onAbort) {
    return std::make_unique<ProgressWindow>(owner_.data(), std::move(onAbort));
}

}  // namespace karvo::ui
