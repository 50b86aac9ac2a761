#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "operations/ProgressWindowPort.h"
#include "ports/UiThreadPort.h"

namespace karvo {

// A user-interface thread without windows (karvo-cli, tests): posted work
// waits in a queue until the owning thread runs it.
class QueuedUiThread final : public UiThreadPort {
  public:
    void Post(std::function<void()> task) override;
    // Runs posted work, waiting for more, until done() holds.
    void RunUntil(const std::function<bool()>& done);
    // Runs whatever is queued now.
    void RunPending();

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

// The progress window of an operation run without a screen. Observers see
// every update, which is how tests press Abort at a chosen moment.
class HeadlessProgressWindow final : public ProgressWindowPort {
  public:
    struct State {
        std::string caption;
        int maximum = 0;
        int value = 0;
        std::int64_t atMs = 0;  // the worker's clock at the value
    };
    using Observer = std::function<void(const State&, const std::function<void()>& abort)>;

    HeadlessProgressWindow(QueuedUiThread& ui, std::function<void()> onAbort, Observer observer)
        : ui_(ui), onAbort_(std::move(onAbort)), observer_(std::move(observer)) {}

    void SetCaption(const std::string& caption) override;
    void SetMaximum(int maximum) override;
    void SetValue(int value) override;
    void SetValueAt(int value, std::int64_t atMs) override;
    void RunModal() override;
    void Close() override { closed_ = true; }

  private:
    void Notify();

    QueuedUiThread& ui_;
    std::function<void()> onAbort_;
    Observer observer_;
    State state_;
    bool closed_ = false;
};

class HeadlessProgressFactory final : public ProgressWindowFactory {
  public:
    explicit HeadlessProgressFactory(QueuedUiThread& ui) : ui_(ui) {}
    std::unique_ptr<ProgressWindowPort> Create(std::function<void()> onAbort) override {
        return std::make_unique<HeadlessProgressWindow>(ui_, std::move(onAbort), observer);
    }
    HeadlessProgressWindow::Observer observer;

  private:
    QueuedUiThread& ui_;
};

}  // namespace karvo
