#pragma once
#include <utility>

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

namespace karvo::ui {

// True when the caller runs on the thread that owns object (for every widget,
// the GUI thread).
inline bool OnThreadOf(const QObject* object) {
    return QThread::currentThread() == object->thread();
}

// Runs work(target) later on target's thread, always queued, even from that
// thread itself: whatever one thread queues arrives in the order it was
// issued. A target that has gone (its window closed) receives nothing.
template <typename Target, typename Work>
void QueueTo(const QPointer<Target>& target, Work work) {
    Target* now = target.data();
    if (now == nullptr) return;
    QMetaObject::invokeMethod(
        now,
        [target, work = std::move(work)]() mutable {
            if (Target* live = target.data()) work(live);
        },
        Qt::QueuedConnection);
}

// Runs work(target) on target's thread: at once when the caller is already
// there, otherwise queued, so that everything one worker thread posts arrives
// in the order it was issued. A target that has gone (its window closed)
// receives nothing, neither now nor from a queued call.
template <typename Target, typename Work>
void PostTo(const QPointer<Target>& target, Work work) {
    Target* now = target.data();
    if (now == nullptr) return;
    if (OnThreadOf(now)) {
        work(now);
        return;
    }
    QueueTo(target, std::move(work));
}

// Runs work() on context's thread and waits for it: for calls whose caller
// needs the outcome (a box the user must answer). Never call it from the GUI
// thread while that thread waits for the caller.
template <typename Work>
void RunAndWait(QObject* context, Work work) {
    if (OnThreadOf(context)) {
        work();
        return;
    }
    QMetaObject::invokeMethod(context, std::move(work), Qt::BlockingQueuedConnection);
}

}  // namespace karvo::ui
