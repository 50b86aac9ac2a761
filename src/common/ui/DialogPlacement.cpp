#include "common/ui/DialogPlacement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

namespace karvo::ui {

void AdoptOwnerLook(QWidget* dialog, const QWidget* owner) {
    if (owner == nullptr) return;
    dialog->setFont(owner->font());
    dialog->setPalette(owner->palette());
}

void CentreOnOwner(QWidget* window, const QWidget* owner) {
    if (owner == nullptr) return;
    const QWidget* ownerWindow = owner->window();
    // Before the first show the window's own frame is unknown; the owner's
    // frame is drawn by the same window manager, so its margins stand in.
    const QRect ownerFrame = ownerWindow->frameGeometry();
    const QSize margins = ownerFrame.size() - ownerWindow->size();
    const QSize frame = window->size() + margins;
    QPoint topLeft(ownerFrame.left() + (ownerFrame.width() - frame.width()) / 2,
                   ownerFrame.top() + (ownerFrame.height() - frame.height()) / 2);
    if (const QScreen* screen = ownerWindow->screen()) {
        const QRect available = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), available.left(),
                                std::max(available.left(), available.right() + 1 - frame.width())));
        topLeft.setY(
            std::clamp(topLeft.y(), available.top(),
                       std::max(available.top(), available.bottom() + 1 - frame.height())));
    }
    window->move(topLeft);
}

}  // namespace karvo::ui
