#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include "operations/ProgressWindowPort.h"
#include "operations/TimeLeft.h"
#include "operations/ui/TProgressForm.h"

namespace karvo::ui {

// The operation engine's progress window on screen: one TProgressForm over
// the main window, modal while the operation runs.
class ProgressWindow final : public ProgressWindowPort {
  public:
    ProgressWindow(QWidget* owner, std::function<void()> onAbort);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void SetCaption(const std::string& caption) override;
    void SetMaximum(int maximum) override;
    void SetValue(int value) override;
    void SetValueAt(int value, std::int64_t atMs) override;
    void RunModal() override;
    void Close() override;

    TProgressForm* Form() const { return form_.data(); }

  private:
    QPointer<QWidget> owner_;
    // Guarded: the main window owns the form too and may go first.
    QPointer<TProgressForm> form_;
    bool closed_ = false;
    int maximum_ = 0;
    TimeLeftEstimate estimate_;
    // Since the last value arrived: the figure counts down between values.
    QElapsedTimer sinceValue_;

    void ShowTimeLeft();
};

class ProgressWindows final : public ProgressWindowFactory {
  public:
    explicit ProgressWindows(QWidget* owner) : owner_(owner) {}
    std::unique_ptr<ProgressWindowPort> Create(std::function<void()> onAbort) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace karvo::ui
