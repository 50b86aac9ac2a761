#pragma once
#include <string>

namespace karvo {

enum class BoxKind { Information, Warning, Error };

// Message boxes and other questions put to the user.
class PromptPort {
  public:
    virtual ~PromptPort() = default;
    virtual void ShowMessage(BoxKind kind, const std::string& caption, const std::string& text) = 0;
};

}  // namespace karvo
