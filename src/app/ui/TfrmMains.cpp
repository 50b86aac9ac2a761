#include "app/ui/TfrmMains.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "app/MainLayout.h"
#include "app/ui/InfoPanels.h"
#include "app/ui/LogView.h"
#include "app/ui/MemoLog.h"
#include "app/ui/MessageBoxPrompts.h"
#include "app/ui/QtUiThread.h"
#include "app/ui/Toolbar.h"
#include "app/ui/ToolbarPictures.h"
#include "app/ui/WindowView.h"
#include "buffer/FileCommands.h"
#include "catalogue/SelectCommand.h"
#include "config/ConfigCommand.h"
#include "editor/EditCommand.h"
#include "settings/OptionsCommand.h"

namespace karvo::ui {

namespace {
const QColor kWindowGrey(0xD4, 0xD6, 0xD9);
constexpr QSize kPictureSize(32, 32);

void Place(QWidget* widget, const Rect& rect) {
    widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
}
}  // namespace

TfrmMains::TfrmMains(MainWindowPorts ports, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmMains"));
    setWindowTitle(QStringLiteral("KARVO Mk2"));
    setWindowIcon(ApplicationIcon());
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kWindowGrey);
    setPalette(palette);

    BuildToolbar();
    Memo1 = new LogView(this);
    const InfoPanels panels = BuildInfoPanels(this);
    Panel1 = panels.panel1;
    Panel2 = panels.panel2;
    labels_ = panels.labels;
    BuildBottomRow();

    setMinimumSize(kMinClientWidth, kMinClientHeight);
    resize(kDesignClientWidth, kDesignClientHeight);
    ApplyLayout();

    log_ = std::make_unique<MemoLog>(Memo1);
    view_ = std::make_unique<WindowView>(
        MainWidgets{this, labels_, toolButtons_, FinishingBar, ReconnectBT});
    view_->OnFinished([this] {
        if (closeWhenFinished_) close();
    });
    PromptPort* prompts = ports.prompts;
    if (prompts == nullptr) {
        ownPrompts_ = std::make_unique<MessageBoxPrompts>(this);
        prompts = ownPrompts_.get();
    }
    windows_ = ports.windows(this);
    files_ = ports.files != nullptr ? ports.files : windows_.fileChoice.get();
    uiThread_ = std::make_unique<QtUiThread>(this);
    presenter_ = std::make_unique<MainPresenter>(
        SessionPorts{*log_, *view_, *prompts, ports.sounds, ports.settings, ports.usb, ports.clock,
                     ports.firmwareUpdate, ports.socket});
    presenter_->AttachOperations(*uiThread_, *windows_.progress);
    ConnectCommands();
    presenter_->StartUp();
}

TfrmMains::~TfrmMains() {
    // A window torn down without being closed still saves the settings.
    ExitOnce();
}

void TfrmMains::BuildToolbar() {
    for (int i = 0; i < kToolButtonCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(kToolButtonNames[index]));
        button->setText(QString::fromLatin1(kToolbar[index].caption));
        button->setIcon(ToolbarIcon(static_cast<ToolButton>(i)));
        button->setIconSize(kPictureSize);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        // Like any toolbar: clicked, never focused away from the log.
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(kToolbarLeft + i * kToolButtonWidth, 0, kToolButtonWidth,
                            kToolButtonHeight);  // ApplyLayout narrows them on a small screen
        // The start-up sequence enables what may be used.
        button->setEnabled(false);
        toolButtons_[index] = button;
    }
}

void TfrmMains::BuildBottomRow() {
    ClearMessages = new QPushButton(QStringLiteral("Clear"), this);
    ClearMessages->setObjectName(QStringLiteral("ClearMessages"));
    ClearMessages->setToolTip(QStringLiteral("Clear Messages"));
    connect(ClearMessages, &QPushButton::clicked, this, [this] { presenter_->ClearMessages(); });

    ReconnectBT = new QPushButton(QStringLiteral("Reconnect"), this);
    ReconnectBT->setObjectName(QStringLiteral("ReconnectBT"));
    connect(ReconnectBT, &QPushButton::clicked, this, [this] {
        presenter_->Reconnect();
        // The programmer needs a new Select before it reads any chip.
        if (presenter_->Engine() != nullptr) presenter_->Engine()->ForgetVerify();
        ShowDifferencesOffer();
    });

    // Beside Clear, with the log it lists into: every difference of a
    // failed Verify, in a window of its own. Made before the finishing bar,
    // which covers it while an aborted operation winds down.
    Differences = new QPushButton(QStringLiteral("Differences\u2026"), this);
    Differences->setObjectName(QStringLiteral("Differences"));
    Differences->setToolTip(
        QStringLiteral("List every address where the chip differs from the buffer"));
    Differences->setEnabled(false);
    connect(Differences, &QPushButton::clicked, this, [this] {
        if (presenter_->Engine() == nullptr || !windows_.differences) return;
        DifferencesCommand(presenter_->Session(), *presenter_->Engine()).Run(*windows_.differences);
        ShowDifferencesOffer();
    });

    FinishingBar = new QProgressBar(this);
    FinishingBar->setObjectName(QStringLiteral("FinishingBar"));
    FinishingBar->setRange(0, 100);
    FinishingBar->setFormat(QStringLiteral("Finishing the aborted operation: %p%"));
    FinishingBar->setAlignment(Qt::AlignCenter);
    FinishingBar->hide();

    // Never shown: the firmware update is started by the version check.
    ReFirm = new QPushButton(QStringLiteral("Reprog"), this);
    ReFirm->setObjectName(QStringLiteral("ReFirm"));
    ReFirm->hide();
    connect(ReFirm, &QPushButton::clicked, this, [this] { presenter_->StartFirmwareUpdate(); });
}

void TfrmMains::ConnectCommands() {
    auto on = [this](ToolButton button, auto command) {
        connect(Button(button), &QToolButton::clicked, this, command);
    };
    Session& session = presenter_->Session();
    const FileCommandPorts files{*files_, *windows_.fileFormat, *windows_.fileProgress};
    on(ToolButton::SB_Select, [this, &session] {
        SelectCommand(session).Run(*windows_.selection);
        // The differences of the last chip say nothing about the next.
        if (presenter_->Engine() != nullptr) presenter_->Engine()->ForgetVerify();
        ShowDifferencesOffer();
    });
    on(ToolButton::SB_Option, [this, &session] { OptionsCommand(session).Run(*windows_.options); });
    on(ToolButton::SB_Load, [&session, files] { LoadCommand(session).Run(files); });
    on(ToolButton::SB_Save, [&session, files] { SaveCommand(session).Run(files); });
    on(ToolButton::SB_Edit, [this, &session] {
        if (windows_.editor) EditCommand(session).Run(*windows_.editor);
    });
    on(ToolButton::SB_Config, [this, &session] {
        if (windows_.config) ConfigCommand(session, presenter_->ConfigBits()).Run(*windows_.config);
    });
    // SB_ReadClick: the button tells which operation.
    constexpr std::pair<ToolButton, char> kOperations[] = {{ToolButton::SB_Blank, 'B'},
                                                           {ToolButton::SB_Read, 'R'},
                                                           {ToolButton::SB_Prog, 'P'},
                                                           {ToolButton::SB_Verify, 'V'},
                                                           {ToolButton::SB_Erase, 'E'}};
    for (const auto& [button, opCode] : kOperations) {
        on(button, [this, code = opCode] {
            presenter_->RunOperation(code);
            ShowDifferencesOffer();
        });
    }
    // Hidden, for who needs it: the firmware update with an image the user
    // picks (a genuine one, when this build carries none).
    auto* fromFile = new QAction(QStringLiteral("Update Firmware from File..."), this);
    fromFile->setObjectName(QStringLiteral("UpdateFirmwareFromFile"));
    fromFile->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+U")));
    addAction(fromFile);
    connect(fromFile, &QAction::triggered, this, [this] {
        const FileDialogAnswer answer = files_->ChooseFileToOpen(
            {"Firmware Image (*.hex *.kfw)|*.hex *.kfw|All Files (*.*)|*.*",
             presenter_->State().StartDir, ""});
        if (answer.accepted) presenter_->UpdateFirmwareFromFile(answer.path);
    });
}

void TfrmMains::ApplyLayout() {
    const MainLayout layout = ComputeMainLayout(width(), height());
    for (int i = 0; i < kToolButtonCount; ++i) {
        toolButtons_[static_cast<std::size_t>(i)]->setGeometry(
            kToolbarLeft + i * layout.toolButtonWidth, 0, layout.toolButtonWidth,
            kToolButtonHeight);
    }
    Place(Panel1, layout.panel1);
    Place(Panel2, layout.panel2);
    Place(ClearMessages, layout.clearButton);
    Place(ReconnectBT, layout.reconnectButton);
    Place(FinishingBar, layout.finishingBar);
    const Rect& clear = layout.clearButton;
    Place(Differences, {clear.left + clear.width + 8, clear.top, 120, clear.height});
    Place(Memo1, layout.memo);
}

void TfrmMains::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyLayout();
}

void TfrmMains::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window manager adds its frame after the show; fit once it has.
    QTimer::singleShot(0, this, [this] { view_->Shown(); });
}

void TfrmMains::closeEvent(QCloseEvent* event) {
    // The link and the buffer must outlive a worker still finishing an
    // aborted operation; rather than freeze until it is done, the window
    // says so and closes itself at its end.
    if (presenter_ != nullptr && presenter_->Engine() != nullptr && presenter_->Engine()->Busy()) {
        if (!closeWhenFinished_) {
            closeWhenFinished_ = true;
            presenter_->LogLine(
                " The program closes when the programmer has finished the "
                "aborted operation");
        }
        event->ignore();
        return;
    }
    ExitOnce();
    event->accept();
}

void TfrmMains::ShowDifferencesOffer() {
    const OperationEngine* engine = presenter_ != nullptr ? presenter_->Engine() : nullptr;
    Differences->setEnabled(engine != nullptr && engine->VerifyFailed());
}

void TfrmMains::ExitOnce() {
    if (exited_ || presenter_ == nullptr) return;
    exited_ = true;
    presenter_->Exit();
}

}  // namespace karvo::ui
