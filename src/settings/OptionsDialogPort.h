#pragma once
#include "settings/OptionsModel.h"

namespace karvo {

// The modal Options dialog over a prepared model; returns when it closes.
class OptionsDialogPort {
  public:
    virtual ~OptionsDialogPort() = default;
    virtual void Run(OptionsModel& model) = 0;
};

}  // namespace karvo
