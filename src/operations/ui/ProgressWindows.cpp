#include "operations/ui/ProgressWindows.h"

#include "common/ui/DialogPlacement.h"
#include "operations/ui/TProgressForm.h"

namespace karvo::ui {

ProgressWindow::ProgressWindow(QWidget* owner, std::function<void()> onAbort)
    : owner_(owner), form_(new TProgressForm(owner)) {
    QObject::connect(form_.data(), &TProgressForm::abortClicked, form_.data(),
                     [onAbort = std::move(onAbort)] {
                         if (onAbort) onAbort();
                     });
}

ProgressWindow::~ProgressWindow() {
    delete form_.data();
}

// Once closed the window shows nothing new: a late update from a worker
// winding down after Abort changes nothing.
void ProgressWindow::SetCaption(const std::string& caption) {
    if (form_ && !closed_) form_->setWindowTitle(QString::fromStdString(caption));
}

void ProgressWindow::SetMaximum(int maximum) {
    if (form_ && !closed_) form_->SetMaximum(maximum);
}

void ProgressWindow::SetValue(int value) {
    if (form_ && !closed_) form_->SetValue(value);
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
