#pragma once
#include "buffer/FileDialogPorts.h"
#include "session/Session.h"

namespace karvo {

// The main window's Load command: file dialog, format dialog, then the
// buffer read from the file.
class LoadCommand {
  public:
    explicit LoadCommand(Session& session) : session_(session) {}
    FileCommandStatus Run(const FileCommandPorts& ui);

  private:
    Session& session_;
};

// The main window's Save command: file dialog, format dialog, then the
// buffer written to the file.
class SaveCommand {
  public:
    explicit SaveCommand(Session& session) : session_(session) {}
    FileCommandStatus Run(const FileCommandPorts& ui);

  private:
    Session& session_;
};

}  // namespace karvo
