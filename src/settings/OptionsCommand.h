#pragma once
#include "session/Session.h"
#include "settings/OptionsDialogPort.h"

namespace karvo {

// The main window's Options command: the options dialog over the current
// device's steps and the general flags.
class OptionsCommand {
  public:
    explicit OptionsCommand(Session& session) : session_(session) {}
    void Run(OptionsDialogPort& dialog);

  private:
    Session& session_;
};

}  // namespace karvo
