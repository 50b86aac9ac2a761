#pragma once
// Acting on a modal window from a test: the window runs its own event loop,
// so it is found from a timer while the test's call waits for it.
#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace karvo::test {

// Runs action(window) once a modal window of type T is up and visible. The
// timer gives up after timeoutMs, so a window that never comes fails the
// test's own checks instead of hanging it.
template <typename T>
void WhenModal(std::function<void(T*)> action, int timeoutMs = 10000) {
    auto* timer = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, timeoutMs, action] {
        *waited += timer->interval();
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (window != nullptr && window->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(window);
        } else if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// Clicks a radio button or check box on its indicator: only the indicator
// and the caption take clicks, and the middle of a wide button with a short
// caption is neither.
inline void ClickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// The centre of a window's frame, which is where dialogs over it centre.
inline QPoint FrameCentre(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    return {frame.left() + frame.width() / 2, frame.top() + frame.height() / 2};
}

}  // namespace karvo::test
