#include "operations/HeadlessProgress.h"

namespace karvo {

void QueuedUiThread::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
}

void QueuedUiThread::RunUntil(const std::function<bool()>& done) {
    while (!done()) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            posted_.wait(lock, [this] { return !tasks_.empty(); });
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

void QueuedUiThread::RunPending() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

void HeadlessProgressWindow::Notify() {
    if (observer_) observer_(state_, onAbort_);
}

void HeadlessProgressWindow::SetCaption(const std::string& caption) {
    state_.caption = caption;
    Notify();
}

void HeadlessProgressWindow::SetMaximum(int maximum) {
    state_.maximum = maximum;
    Notify();
}

void HeadlessProgressWindow::SetValue(int value) {
    state_.value = value;
    Notify();
}

void HeadlessProgressWindow::SetValueAt(int value, std::int64_t atMs) {
    state_.atMs = atMs;
    SetValue(value);
}

void HeadlessProgressWindow::RunModal() {
    ui_.RunUntil([this] { return closed_; });
}

}  // namespace karvo
