#pragma once
#include "config/ConfigModel.h"

namespace karvo {

// The modal configuration dialog over an opened model: TfrmPicConfig for
// family 'C', TfrmConfig for the others (ConfigModel::Which). Returns when
// the user closes it.
class ConfigDialogPort {
  public:
    virtual ~ConfigDialogPort() = default;
    virtual void Run(ConfigModel& model) = 0;
};

}  // namespace karvo
