#pragma once
#include "config/ui/ConfigDialog.h"

namespace karvo::ui {

// The configuration dialog of every family but 'C': the pages of the
// device's ConfigType over ConfigBitsState.
class TfrmConfig final : public ConfigDialog {
    Q_OBJECT

  public:
    TfrmConfig(ConfigModel& model, QWidget* owner);
};

}  // namespace karvo::ui
