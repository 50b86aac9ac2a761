#pragma once
#include <functional>

#include <QDialog>

class QPlainTextEdit;
class QProgressBar;
class QTimer;

namespace karvo::ui {

// The firmware-update window: the update's lines, its bar and the timer that
// polls for the bootloader. Only the update closes it, or the user while the
// update waits for the bootloader (mayClose decides).
class TLoadFrm final : public QDialog {
    Q_OBJECT

  public:
    explicit TLoadFrm(QWidget* owner);

    void ClearDisplay();
    void AppendLine(const QString& line);
    void SetProgress(int percent);
    void StartTimer(int intervalMs);
    void StopTimer();
    // Ends the window (and a running exec()).
    void Finish();
    void SetMayClose(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }
    QStringList Lines() const;

  signals:
    // Timer1 fired: time to poll for the bootloader.
    void ticked();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool UserMayClose();

    QPlainTextEdit* Display = nullptr;
    QProgressBar* ProgBar = nullptr;
    QTimer* Timer1 = nullptr;
    std::function<bool()> mayClose_;
    bool finished_ = false;
};

}  // namespace karvo::ui
