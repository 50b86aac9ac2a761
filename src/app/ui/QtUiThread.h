#pragma once
#include <QObject>
#include <QPointer>

#include "ports/UiThreadPort.h"

namespace karvo::ui {

// The user-interface thread as a device operation's worker sees it: every
// task is queued to the thread of the main window and runs there in the order
// posted. Once the main window is gone, tasks are dropped.
class QtUiThread final : public UiThreadPort {
  public:
    explicit QtUiThread(QObject* window) : window_(window) {}

    void Post(std::function<void()> task) override;

  private:
    QPointer<QObject> window_;
};

}  // namespace karvo::ui
