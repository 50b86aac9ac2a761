#pragma once
#include <QPointer>
#include <QWidget>

#include "catalogue/SelectionDialogPort.h"

namespace karvo::ui {

// The Select command's windows: the selection dialog and the
// in-system-programming notice, each modal over the main window and released
// when it closes.
class SelectionWindows final : public SelectionDialogPort {
  public:
    explicit SelectionWindows(QWidget* owner) : owner_(owner) {}

    bool Run(SelectionModel& model) override;
    void ShowIspNotice() override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace karvo::ui
