#pragma once
#include <QPointer>

#include "app/ui/LogView.h"
#include "ports/LogPort.h"

namespace karvo::ui {

// The core's message log over `Memo1`. Safe to call from a device
// operation's worker thread: its lines reach the window in the order issued,
// and a window that has closed receives nothing.
class MemoLog final : public LogPort {
  public:
    explicit MemoLog(LogView* memo) : memo_(memo) {}

    void AppendLine(const std::string& line) override;
    void Clear() override;

  private:
    QPointer<LogView> memo_;
};

}  // namespace karvo::ui
