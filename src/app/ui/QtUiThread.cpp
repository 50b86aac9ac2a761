#include "app/ui/QtUiThread.h"

#include "common/ui/GuiThread.h"

namespace karvo::ui {

void QtUiThread::Post(std::function<void()> task) {
    // Queued even when posted from the GUI thread itself, so nothing
    // overtakes what a worker posted before it.
    QueueTo(window_, [task = std::move(task)](QObject*) { task(); });
}

}  // namespace karvo::ui
