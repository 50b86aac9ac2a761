#pragma once
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "buffer/FileDialogPorts.h"

class QProgressBar;

namespace karvo::ui {

// "Intel Hex (*.HEX)|*.hex|All Files (*.*)|*.*" as Qt's file dialogs take
// it: "Intel Hex (*.HEX) (*.hex);;All Files (*.*) (*.*)".
QString QtFileFilter(const std::string& filter);

// The standard Open and Save dialogs.
class FileDialogs final : public FileChoicePort {
  public:
    explicit FileDialogs(QWidget* owner) : owner_(owner) {}

    FileDialogAnswer ChooseFileToOpen(const FileDialogRequest& request) override;
    FileDialogAnswer ChooseFileToSave(const FileDialogRequest& request) override;

  private:
    QPointer<QWidget> owner_;
};

// The file format dialog, modal over the main window.
class FileFormatWindow final : public FileFormatDialogPort {
  public:
    explicit FileFormatWindow(QWidget* owner) : owner_(owner) {}

    bool Run(FileFormatModel& model) override;

  private:
    QPointer<QWidget> owner_;
};

// The small window with the bar of a load or save.
class TfrmLoadSave final : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmLoadSave(QWidget* owner);

    void SetPosition(int percent);

  private:
    QProgressBar* L_Sbar = nullptr;
};

// The progress of a load or save: a TfrmLoadSave shown without a modal loop,
// since the load runs on this thread. It is painted at once when told, as no
// event loop runs until the load is done.
class FileProgressWindow final : public FileProgressPort {
  public:
    explicit FileProgressWindow(QWidget* owner) : owner_(owner) {}
    ~FileProgressWindow() override;
    FileProgressWindow(const FileProgressWindow&) = delete;
    FileProgressWindow& operator=(const FileProgressWindow&) = delete;

    void Open(const std::string& caption) override;
    void SetPosition(int percent) override;
    void Close() override;

    TfrmLoadSave* Form() const { return form_.data(); }

  private:
    QPointer<QWidget> owner_;
    // Guarded: the main window owns the form too and may go first.
    QPointer<TfrmLoadSave> form_;
};

}  // namespace karvo::ui
