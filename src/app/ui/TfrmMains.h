#pragma once
#include <array>
#include <functional>
#include <memory>

#include <QWidget>

#include "app/MainPresenter.h"
#include "buffer/FileDialogPorts.h"
#include "catalogue/SelectionDialogPort.h"
#include "config/ConfigDialogPort.h"
#include "editor/HexEditorPort.h"
#include "operations/ChipDifferences.h"
#include "operations/ProgressWindowPort.h"
#include "settings/OptionsDialogPort.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace karvo::ui {

class LogView;
class MemoLog;
class WindowView;
class MessageBoxPrompts;
class QtUiThread;

// The windows of the commands the main window runs, made by the program
// for this window as their owner: the main window knows them only by their
// ports, so no subsystem's windows depend on another's.
struct CommandWindows {
    std::unique_ptr<SelectionDialogPort> selection;
    std::unique_ptr<OptionsDialogPort> options;
    std::unique_ptr<FileChoicePort> fileChoice;
    std::unique_ptr<FileFormatDialogPort> fileFormat;
    std::unique_ptr<FileProgressPort> fileProgress;
    std::unique_ptr<ProgressWindowFactory> progress;
    std::unique_ptr<ConfigDialogPort> config;
    std::unique_ptr<HexEditorPort> editor;
    std::unique_ptr<DifferencesViewPort> differences;
};
using CommandWindowMaker = std::function<CommandWindows(QWidget* owner)>;

// What the main window is given from outside: the machine's devices, the
// settings store, time and the commands' windows.
struct MainWindowPorts {
    SoundPort& sounds;
    SettingsStore& settings;
    HidBackend& usb;
    Clock& clock;
    FirmwareUpdatePort& firmwareUpdate;
    CommandWindowMaker windows;
    // Where message boxes go; the window's own boxes when null.
    PromptPort* prompts = nullptr;
    // What answers the Open and Save dialogs; the command windows' when null.
    FileChoicePort* files = nullptr;
    // The virtual programmer's socket, told which chip is selected.
    ChipSocketPort* socket = nullptr;
};

// The main window: toolbar, message log, the two information panels and the
// bottom row. Its logic is the MainPresenter; creating the window runs the
// start-up sequence, closing it the exit sequence.
class TfrmMains final : public QWidget {
    Q_OBJECT

  public:
    explicit TfrmMains(MainWindowPorts ports, QWidget* parent = nullptr);
    ~TfrmMains() override;

    MainPresenter& Presenter() { return *presenter_; }
    QToolButton* Button(ToolButton button) const {
        return toolButtons_[static_cast<std::size_t>(button)];
    }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildToolbar();
    void BuildBottomRow();
    // The toolbar's commands, once the presenter exists.
    void ConnectCommands();
    void ApplyLayout();
    void ExitOnce();
    // "Differences..." is offered after a failed Verify only.
    void ShowDifferencesOffer();

    std::array<QToolButton*, kToolButtonCount> toolButtons_{};
    LogView* Memo1 = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    std::array<QLabel*, kPanelLabelCount> labels_{};
    QPushButton* ClearMessages = nullptr;
    QPushButton* ReconnectBT = nullptr;
    QPushButton* ReFirm = nullptr;
    QPushButton* Differences = nullptr;
    QProgressBar* FinishingBar = nullptr;

    std::unique_ptr<MemoLog> log_;
    std::unique_ptr<WindowView> view_;
    std::unique_ptr<MessageBoxPrompts> ownPrompts_;
    // The commands' windows; declared before the presenter, which uses them
    // until it is gone.
    CommandWindows windows_;
    FileChoicePort* files_ = nullptr;
    std::unique_ptr<QtUiThread> uiThread_;
    std::unique_ptr<MainPresenter> presenter_;
    bool exited_ = false;
    bool closeWhenFinished_ = false;
};

}  // namespace karvo::ui
