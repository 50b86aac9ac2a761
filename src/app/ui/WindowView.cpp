#include "app/ui/WindowView.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "app/MainLayout.h"
#include "app/ui/Toolbar.h"
#include "common/ui/GuiThread.h"

namespace karvo::ui {

WindowView::WindowView(const MainWidgets& widgets) : window_(widgets.window), widgets_(widgets) {}

void WindowView::LabelChanged(PanelLabel label, const std::string& text) {
    // The labels are children of the window: alive whenever the window is.
    QLabel* target = widgets_.labels[static_cast<std::size_t>(label)];
    PostTo(window_,
           [target, value = QString::fromStdString(text)](QWidget*) { target->setText(value); });
}

void WindowView::LabelHintChanged(PanelLabel label, const std::string& hint) {
    QLabel* target = widgets_.labels[static_cast<std::size_t>(label)];
    PostTo(window_,
           [target, value = QString::fromStdString(hint)](QWidget*) { target->setToolTip(value); });
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
    PostTo(window_, [this, bar, reconnect, percent](QWidget*) {
        // Reconnect would need the link the worker still holds.
        if (reconnect != nullptr) reconnect->setEnabled(percent < 0);
        if (bar != nullptr) {
            bar->setVisible(percent >= 0);
            if (percent >= 0) bar->setValue(percent);
        }
        if (percent < 0 && finished_) finished_();
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
        topLeft_ = true;
        FitTopLeft();
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

namespace {
// What a window manager's frame takes, before it has drawn one: a title bar
// of the style's height and thin borders. Only used until the real frame is
// known; a little too much is better than a title bar above the screen.
FrameMargins EstimatedMargins(const QWidget* window) {
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    constexpr int kBorder = 4;
    return {kBorder, title + kBorder, kBorder, kBorder};
}

FrameMargins MarginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

bool Known(const FrameMargins& m) {
    return m.left != 0 || m.top != 0 || m.right != 0 || m.bottom != 0;
}
}  // namespace

bool WindowView::FitTopLeft() {
    QWidget* window = window_.data();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (window == nullptr || screen == nullptr) return true;
    const FrameMargins actual = MarginsOf(window);
    const bool known = Known(actual);
    const QRect available = screen->availableGeometry();
    const TopLeftPlacement placement =
        PlaceTopLeft({available.left(), available.top(), available.width(), available.height()},
                     known ? actual : EstimatedMargins(window));
    window->resize(placement.clientWidth, placement.clientHeight);
    // A window's position is that of its frame: the title bar stays on the screen.
    window->move(placement.frameLeft, placement.frameTop);
    return known;
}

void WindowView::Shown() {
    if (!topLeft_) return;
    // The window manager draws its frame some time after the show; fit again
    // once it has (or give up after a second and keep the estimate).
    if (FitTopLeft() || ++fitAttempts_ > 20) {
        topLeft_ = false;  // once: later shows keep whatever the user made of it
        return;
    }
    QTimer::singleShot(50, window_.data(), [this] { Shown(); });
}

}  // namespace karvo::ui
