#pragma once
#include <QPointer>
#include <QWidget>

#include "ports/PromptPort.h"

namespace karvo::ui {

// Message boxes over the main window, with an OK button. A box asked for by a
// worker thread is shown on the GUI thread while the worker waits.
class MessageBoxPrompts final : public PromptPort {
  public:
    explicit MessageBoxPrompts(QWidget* parent) : parent_(parent) {}

    void ShowMessage(BoxKind kind, const std::string& caption, const std::string& text) override;
    Answer AskAbortRetryIgnore(const std::string& caption, const std::string& text) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace karvo::ui
