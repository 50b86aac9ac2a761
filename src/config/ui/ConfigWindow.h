#pragma once
#include <QPointer>
#include <QWidget>

#include "config/ConfigDialogPort.h"

namespace karvo::ui {

// The Config command's window: TfrmPicConfig for family 'C', centred on the
// screen, TfrmConfig for the others, centred on the main window; modal and
// released when it closes.
class ConfigWindow final : public ConfigDialogPort {
  public:
    explicit ConfigWindow(QWidget* owner) : owner_(owner) {}

    void Run(ConfigModel& model) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace karvo::ui
