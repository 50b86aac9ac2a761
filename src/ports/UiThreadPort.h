#pragma once
#include <functional>

namespace karvo {

// Runs work on the user-interface thread, in the order it was posted. The
// worker of a device operation reaches the screen only through this.
class UiThreadPort {
  public:
    virtual ~UiThreadPort() = default;
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace karvo
