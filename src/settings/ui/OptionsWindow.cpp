#include "settings/ui/OptionsWindow.h"

#include "common/ui/DialogPlacement.h"
#include "settings/ui/TfrmOption.h"

namespace karvo::ui {

void OptionsWindow::Run(OptionsModel& model) {
    TfrmOption dialog(model, owner_.data());
    CentreOnOwner(&dialog, owner_.data());
    dialog.exec();
}

}  // namespace karvo::ui
