#pragma once
#include "catalogue/SelectionModel.h"

namespace karvo {

// The modal device selection dialog and the in-system-programming notice.
class SelectionDialogPort {
  public:
    virtual ~SelectionDialogPort() = default;
    // Shows the prepared model; true when the user pressed OK.
    virtual bool Run(SelectionModel& model) = 0;
    virtual void ShowIspNotice() = 0;
};

}  // namespace karvo
