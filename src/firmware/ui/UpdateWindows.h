#pragma once
#include <QPointer>
#include <QWidget>

#include "firmware/UpdateWindowPort.h"
#include "firmware/ui/TLoadFrm.h"

namespace karvo::ui {

// The update window on screen: a TLoadFrm run modally, its timer a QTimer,
// and what the update's worker posts queued to the window's thread.
class UpdateWindow final : public UpdateWindowPort {
  public:
    UpdateWindow(QWidget* owner, UpdateWindowEvents events);
    ~UpdateWindow() override;
    UpdateWindow(const UpdateWindow&) = delete;
    UpdateWindow& operator=(const UpdateWindow&) = delete;

    void ClearDisplay() override;
    void AppendLine(const std::string& line) override;
    void SetProgress(int percent) override;
    void StartTimer(int intervalMs) override;
    void StopTimer() override;
    void Post(std::function<void()> task) override;
    void RunModal() override;
    void Close() override;
    bool LinesStayVisible() const override { return false; }

    TLoadFrm* Form() const { return form_.data(); }

  private:
    QPointer<QWidget> owner_;
    QPointer<TLoadFrm> form_;
    bool closed_ = false;
};

// Makes the update windows. Until the main window exists (the update at
// start-up) they are centred on the screen; afterwards over the main window.
class UpdateWindows final : public UpdateWindowFactory {
  public:
    void SetOwner(QWidget* owner) { owner_ = owner; }
    std::unique_ptr<UpdateWindowPort> Create(UpdateWindowEvents events) override;
    // The wait for the programmer to restart: the screen keeps painting, but
    // no click reaches the main window before it reconnects.
    void Pause(Clock& clock, int ms) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace karvo::ui
