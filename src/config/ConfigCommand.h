#pragma once
#include <memory>

#include "config/ConfigBitsState.h"
#include "config/ConfigDialogPort.h"
#include "config/ConfigModel.h"
#include "session/Session.h"

namespace karvo {

// The main window's Config command (OpenConfigDialog): the configuration
// dialog of the device's family over the buffer or ConfigBitsState, and the
// checksum recomputed when it closes, since the configuration words count in
// it. Nothing opens without a programmer.
class ConfigCommand {
  public:
    ConfigCommand(Session& session, ConfigBitsState& bits) : session_(session), bits_(bits) {}
    ~ConfigCommand() { Close(); }
    ConfigCommand(const ConfigCommand&) = delete;
    ConfigCommand& operator=(const ConfigCommand&) = delete;

    // The dialog, modal; false when it may not open.
    bool Run(ConfigDialogPort& dialog);

    // For a front end that drives the dialog itself (karvo-cli): opens the
    // model, or returns null when it may not open.
    ConfigModel* Open();
    ConfigModel* Model() { return model_.get(); }
    // Closes the dialog, if open, and recomputes the checksum.
    void Close();

  private:
    Session& session_;
    ConfigBitsState& bits_;
    std::unique_ptr<ConfigModel> model_;
};

}  // namespace karvo
