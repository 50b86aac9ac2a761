#pragma once
#include <string>

namespace karvo {

enum class BoxKind { Information, Warning, Error };

// The answers of an Abort/Retry/Ignore box.
enum class Answer { Abort, Retry, Ignore };

// Message boxes and other questions put to the user. Called on the
// user-interface thread; a worker asks through its job, which waits.
class PromptPort {
  public:
    virtual ~PromptPort() = default;
    virtual void ShowMessage(BoxKind kind, const std::string& caption, const std::string& text) = 0;
    // A box with the stop icon and the buttons Abort, Retry and Ignore.
    virtual Answer AskAbortRetryIgnore(const std::string& caption, const std::string& text) = 0;
};

}  // namespace karvo
