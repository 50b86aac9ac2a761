#include "editor/ui/HexEditorWindow.h"

#include "common/ui/DialogPlacement.h"
#include "editor/ui/THexEditor.h"

namespace karvo::ui {

void HexEditorWindow::Run(HexEditorModel& model) {
    THexEditor dialog(model, owner_.data());
    CentreOnOwner(&dialog, owner_.data());
    dialog.exec();
}

}  // namespace karvo::ui
