#include "catalogue/ui/SelectionWindows.h"

#include "catalogue/ui/TfrmIsp.h"
#include "catalogue/ui/TfrmSelectDevice.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

bool SelectionWindows::Run(SelectionModel& model) {
    TfrmSelectDevice dialog(model, owner_.data());
    CentreOnOwner(&dialog, owner_.data());
    return dialog.exec() == QDialog::Accepted;
}

void SelectionWindows::ShowIspNotice() {
    TfrmIsp notice(owner_.data());
    CentreOnOwner(&notice, owner_.data());
    notice.exec();
}

}  // namespace karvo::ui
