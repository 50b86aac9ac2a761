#include "app/ui/WindowView.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "app/ui/GuiThread.h"
#include "app/ui/Toolbar.h"

namespace karvo::ui {

WindowView::WindowView(const MainWidgets& widgets) : window_(widgets.window), widgets_(widgets) {}

void WindowView::LabelChanged(PanelLabel label, const std::string& text) {
    // The labels are children of the window: alive whenever the window is.
    QLabel* target = widgets_.labels[static_cast<std::size_t>(label)];
    PostTo(window_,
           [target, value = QString::fromStdString(text)](QWidget*) { target->setText(value); });
}

void WindowView::ButtonEnabledChanged(ToolButton button, bool enabled) {
    const auto index = static_cast<std::size_t>(button);
    QToolButton* target = widgets_.buttons[index];
    // A disabled command offers no hint.
    const QString hint = enabled ? QString::fromLatin1(kToolbar[index].hint) : QString();
    PostTo(window_, [target, enabled, hint](QWidget*) {
        target->setEnabled(enabled);
        target->setToolTip(hint);
    });
}

void WindowView::FinishingChanged(int percent) {
    QProgressBar* bar = widgets_.finishing;
    QPushButton* reconnect = widgets_.reconnect;
    PostTo(window_, [bar, reconnect, percent](QWidget*) {
        // Reconnect would need the link the worker still holds.
        if (reconnect != nullptr) reconnect->setEnabled(percent < 0);
        if (bar == nullptr) return;
        bar->setVisible(percent >= 0);
        if (percent >= 0) bar->setValue(percent);
    });
}

ScreenSize WindowView::Screen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const QRect geometry = screen->geometry();
    return {geometry.width(), geometry.height()};
}

void WindowView::Place(WindowPlacement placement) {
    QWidget* window = window_.data();
    if (window == nullptr) return;
    if (placement == WindowPlacement::TopLeft) {
        window->move(1, 1);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // Before the first show the frame is not known yet; the client size is
    // close enough to centre by.
    const QSize size = window->isVisible() ? window->frameGeometry().size() : window->size();
    window->move(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen->availableGeometry())
            .topLeft());
}

}  // namespace karvo::ui
