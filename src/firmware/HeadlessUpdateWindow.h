#pragma once
#include <functional>
#include <string>

#include "firmware/UpdateWindowPort.h"
#include "operations/HeadlessProgress.h"

namespace karvo {

// Where a window without a screen puts what it shows.
struct UpdateWindowSink {
    std::function<void(const std::string&)> line;
    std::function<void()> cleared;
    std::function<void(int)> progress;
};

// The update window of karvo-cli and the tests: its lines go to a sink as
// they appear, its timer is the clock, and what the worker posts is run by
// the modal loop in the order posted.
class HeadlessUpdateWindow final : public UpdateWindowPort {
  public:
    HeadlessUpdateWindow(Clock& clock, UpdateWindowEvents events, UpdateWindowSink sink,
                         bool linesStayVisible)
        : clock_(clock),
          events_(std::move(events)),
          sink_(std::move(sink)),
          linesStayVisible_(linesStayVisible) {}

    void ClearDisplay() override {
        if (sink_.cleared) sink_.cleared();
    }
    void AppendLine(const std::string& line) override {
        if (sink_.line) sink_.line(line);
    }
    void SetProgress(int percent) override {
        if (sink_.progress) sink_.progress(percent);
    }
    void StartTimer(int intervalMs) override { timerMs_ = intervalMs; }
    void StopTimer() override { timerMs_ = 0; }
    void Post(std::function<void()> task) override { ui_.Post(std::move(task)); }
    void RunModal() override;
    void Close() override { closed_ = true; }
    bool LinesStayVisible() const override { return linesStayVisible_; }

  private:
    Clock& clock_;
    UpdateWindowEvents events_;
    UpdateWindowSink sink_;
    bool linesStayVisible_;
    QueuedUiThread ui_;
    int timerMs_ = 0;
    bool closed_ = false;
};

class HeadlessUpdateWindows final : public UpdateWindowFactory {
  public:
    HeadlessUpdateWindows(Clock& clock, UpdateWindowSink sink, bool linesStayVisible)
        : clock_(clock), sink_(std::move(sink)), linesStayVisible_(linesStayVisible) {}
    std::unique_ptr<UpdateWindowPort> Create(UpdateWindowEvents events) override {
        return std::make_unique<HeadlessUpdateWindow>(clock_, std::move(events), sink_,
                                                      linesStayVisible_);
    }

  private:
    Clock& clock_;
    UpdateWindowSink sink_;
    bool linesStayVisible_;
};

}  // namespace karvo
