#pragma once
#include <QPointer>
#include <QWidget>

#include "settings/OptionsDialogPort.h"

namespace karvo::ui {

// The Options command's window: TfrmOption, modal over the main window and
// released when it closes.
class OptionsWindow final : public OptionsDialogPort {
  public:
    explicit OptionsWindow(QWidget* owner) : owner_(owner) {}

    void Run(OptionsModel& model) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace karvo::ui
