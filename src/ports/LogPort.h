#pragma once
#include <string>

namespace karvo {

// The message log of the main window: the program's only log.
class LogPort {
  public:
    virtual ~LogPort() = default;
    virtual void AppendLine(const std::string& line) = 0;
    virtual void Clear() = 0;
};

}  // namespace karvo
