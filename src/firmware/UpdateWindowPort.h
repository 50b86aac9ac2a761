#pragma once
#include <functional>
#include <memory>

#include "firmware/UpdateSequence.h"
#include "ports/Clock.h"

namespace karvo {

// What the update window tells its owner.
struct UpdateWindowEvents {
    // The window's 1000 ms timer.
    std::function<void()> tick;
    // The user asks to close the window; true lets it close.
    std::function<bool()> mayClose;
};

// The update window ("Firmware Updating"): its display and bar (used on its
// own thread), its timer, and the way other threads reach it.
class UpdateWindowPort : public UpdateDisplay {
  public:
    virtual void StartTimer(int intervalMs) = 0;
    virtual void StopTimer() = 0;
    // Runs task on the window's thread, after everything posted before it;
    // from any thread. Nothing runs once the window is gone.
    virtual void Post(std::function<void()> task) = 0;
    // Shows the window modally; returns once Close() was called.
    virtual void RunModal() = 0;
    virtual void Close() = 0;
    // True when the window's lines stay readable after it closed (printed
    // where the main log goes), so the log needs no copy of them.
    virtual bool LinesStayVisible() const = 0;
};

class UpdateWindowFactory {
  public:
    virtual ~UpdateWindowFactory() = default;
    virtual std::unique_ptr<UpdateWindowPort> Create(UpdateWindowEvents events) = 0;
    // The wait after the window closed, for the programmer to restart.
    virtual void Pause(Clock& clock, int ms) { clock.SleepMs(ms); }
};

}  // namespace karvo
