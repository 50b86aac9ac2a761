#pragma once
#include <array>
#include <functional>

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include "ports/MainViewPort.h"

namespace karvo::ui {

// The controls of the main window that the core's state is shown in.
struct MainWidgets {
    QWidget* window = nullptr;
    std::array<QLabel*, kPanelLabelCount> labels{};
    std::array<QToolButton*, kToolButtonCount> buttons{};
    QProgressBar* finishing = nullptr;
    QPushButton* reconnect = nullptr;
};

// The core's view of the main window. Label and button changes may come from
// a worker thread; they are carried out on the GUI thread in issue order.
class WindowView final : public MainViewPort {
  public:
    explicit WindowView(const MainWidgets& widgets);

    void LabelChanged(PanelLabel label, const std::string& text) override;
    void LabelHintChanged(PanelLabel label, const std::string& hint) override;
    void ButtonEnabledChanged(ToolButton button, bool enabled) override;
    void FinishingChanged(int percent) override;
    ScreenSize Screen() override;
    void Place(WindowPlacement placement) override;
    // The window was shown, so its frame is known: a window placed at the top
    // left is fitted again with the real frame.
    void Shown();
    // Runs on the GUI thread once an aborted operation has been finished.
    void OnFinished(std::function<void()> finished) { finished_ = std::move(finished); }

  private:
    // True when the real frame was known and used.
    bool FitTopLeft();

    QPointer<QWidget> window_;
    MainWidgets widgets_;
    bool topLeft_ = false;
    std::function<void()> finished_;
    int fitAttempts_ = 0;
};

}  // namespace karvo::ui
