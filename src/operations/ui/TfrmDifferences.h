#pragma once
#include <string>
#include <vector>

#include <QDialog>
#include <QPointer>

#include "operations/ChipDifferences.h"

class QPlainTextEdit;
class QPushButton;

namespace karvo::ui {

// Every range where the chip differs from the buffer, after a failed Verify:
// one line a range, the total last, in the log's fixed-pitch font.
class TfrmDifferences final : public QDialog {
    Q_OBJECT

  public:
    TfrmDifferences(const std::string& devName, const std::vector<std::string>& lines,
                    QWidget* owner);
    QPlainTextEdit* List() const { return Memo; }

  private:
    QPlainTextEdit* Memo = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

// Shows the list modally over the main window.
class DifferencesWindow final : public DifferencesViewPort {
  public:
    explicit DifferencesWindow(QWidget* owner) : owner_(owner) {}
    void Show(const std::string& devName, const std::vector<std::string>& lines) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace karvo::ui
