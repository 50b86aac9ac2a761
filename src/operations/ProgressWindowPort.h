#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace karvo {

// The modal progress window of a device operation. Used on the user-interface
// thread only; the worker's updates arrive there through UiThreadPort.
class ProgressWindowPort {
  public:
    virtual ~ProgressWindowPort() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetMaximum(int maximum) = 0;
    virtual void SetValue(int value) = 0;
    // The value as the worker's clock stamped it, which the time-left
    // estimate goes by; windows without one just show the value.
    virtual void SetValueAt(int value, std::int64_t /*atMs*/) { SetValue(value); }
    // Shows the window modally; returns once Close() was called.
    virtual void RunModal() = 0;
    virtual void Close() = 0;
};

// Makes one progress window per operation; onAbort is what its Abort button runs.
class ProgressWindowFactory {
  public:
    virtual ~ProgressWindowFactory() = default;
    virtual std::unique_ptr<ProgressWindowPort> Create(std::function<void()> onAbort) = 0;
};

}  // namespace karvo
