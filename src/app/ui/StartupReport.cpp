#include "app/ui/StartupReport.h"

#include <chrono>
#include <cstdio>

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

namespace karvo::ui {

namespace {

long long WallClockUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

class ExposeWatcher final : public QObject {
  public:
    ExposeWatcher(QObject* parent, long long mainEnteredUs)
        : QObject(parent), mainEnteredUs_(mainEnteredUs) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isExposed()) {
                std::fprintf(stderr, "karvo: window exposed at %lld us, %lld ms after main\n",
                             WallClockUs(), (MonotonicUs() - mainEnteredUs_) / 1000);
                std::fflush(stderr);
                watched->removeEventFilter(this);
                deleteLater();
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    long long mainEnteredUs_;
};

}  // namespace

long long MonotonicUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void ReportStartupWhenExposed(QWidget& window, long long mainEnteredUs) {
    if (qEnvironmentVariableIsEmpty("KARVO_REPORT_STARTUP")) return;
    // The native window exists once the widget has been shown.
    window.winId();
    QWindow* handle = window.windowHandle();
    if (handle == nullptr) return;
    handle->installEventFilter(new ExposeWatcher(handle, mainEnteredUs));
}

}  // namespace karvo::ui
