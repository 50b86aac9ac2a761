#pragma once
#include <QPointer>
#include <QWidget>

#include "editor/HexEditorPort.h"

namespace karvo::ui {

// The Edit command's window: THexEditor, modal over the main window and
// released when it closes.
class HexEditorWindow final : public HexEditorPort {
  public:
    explicit HexEditorWindow(QWidget* owner) : owner_(owner) {}

    void Run(HexEditorModel& model) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace karvo::ui
