#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace karvo::ui {

// The progress window of a device operation: the step as its caption, the
// bar, and Abort. Neither Escape nor the window manager closes it; only
// Finish() does, which the operation calls when it ends or is aborted.
class TProgressForm final : public QDialog {
    Q_OBJECT

  public:
    explicit TProgressForm(QWidget* owner);

    void SetMaximum(int maximum);
    void SetValue(int value);
    // "About 8 s left", or empty while there is no meaningful figure.
    void SetTimeLeft(const QString& text);
    // Ends the window (and a running exec()); later calls change nothing.
    void Finish();
    bool Finished() const { return finished_; }

  signals:
    void abortClicked();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QProgressBar* ProgRun = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* TimeLeft = nullptr;
    bool finished_ = false;
};

}  // namespace karvo::ui
