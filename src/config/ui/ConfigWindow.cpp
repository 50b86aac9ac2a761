#include "config/ui/ConfigWindow.h"

#include <memory>

#include <QScreen>

#include "common/ui/DialogPlacement.h"
#include "config/ui/TfrmConfig.h"
#include "config/ui/TfrmPicConfig.h"

namespace karvo::ui {

namespace {
void CentreOnScreen(QWidget* window, const QWidget* owner) {
    const QScreen* screen = owner != nullptr ? owner->screen() : window->screen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    window->move(available.center() - QPoint(window->width() / 2, window->height() / 2));
}
}  // namespace

void ConfigWindow::Run(ConfigModel& model) {
    std::unique_ptr<ConfigDialog> dialog;
    if (model.Which() == config::Dialog::Pic) {
        dialog = std::make_unique<TfrmPicConfig>(model, owner_.data());
        dialog->adjustSize();
        CentreOnScreen(dialog.get(), owner_.data());
    } else {
        dialog = std::make_unique<TfrmConfig>(model, owner_.data());
        dialog->adjustSize();
        CentreOnOwner(dialog.get(), owner_.data());
    }
    dialog->exec();
}

}  // namespace karvo::ui
