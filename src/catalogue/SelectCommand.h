#pragma once
#include "catalogue/SelectionDialogPort.h"
#include "session/Session.h"

namespace karvo {

// How a Select command ended: no device activated (cancelled, refused, or a
// damaged record), activated, or activated but its parameter block was not
// confirmed by the programmer.
enum class SelectOutcome { NotSelected, Selected, ParametersRefused };

// The main window's Select command: the selection dialog, activation of the
// chosen device, and, with a programmer, its parameter block, blank fill and
// button enables.
class SelectCommand {
  public:
    explicit SelectCommand(Session& session) : session_(session) {}
    SelectOutcome Run(SelectionDialogPort& dialog);

  private:
    // The OK of the selection dialog; false when the record could not be
    // read or may not be used.
    bool ActivateDevice(SelectionModel& model, SelectionDialogPort& dialog);

    Session& session_;
};

}  // namespace karvo
