#include "config/ui/TfrmConfig.h"

namespace karvo::ui {

TfrmConfig::TfrmConfig(ConfigModel& model, QWidget* owner)
    : ConfigDialog(model, owner, QStringLiteral("frmConfig")) {
    BuildPages();
    RenderAll();
}

}  // namespace karvo::ui
