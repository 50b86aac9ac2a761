// The main window as the user first sees it, and what its few live controls
// do, against a virtual programmer.
#include <memory>

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/MainLayout.h"
#include "app/ui/LogView.h"
#include "app/ui/TfrmMains.h"
#include "gui/CommandWindows.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;

namespace {

const QStringList kVersionLines = {" ", " KARVO Mk2 ", " Firmware Version: 2.3",
                                   " Software Version: 2.002"};
const QStringList kDemoLines = {" ", " **** NO PROGRAMMER FOUND ****",
                                " **** System in KARVO Mk2 DEMO mode  ****"};

// Counts how often the settings were made durable, i.e. saved.
class CountingStore final : public SettingsStore {
  public:
    bool KeyExists() override { return inner.KeyExists(); }
    bool CreateKey() override { return inner.CreateKey(); }
    bool DeleteKey() override { return inner.DeleteKey(); }
    bool ValueExists(const std::string& name) override { return inner.ValueExists(name); }
    bool ReadInt(const std::string& name, std::optional<std::uint32_t>& out) override {
        return inner.ReadInt(name, out);
    }
    bool ReadString(const std::string& name, std::optional<std::string>& out) override {
        return inner.ReadString(name, out);
    }
    bool WriteInt(const std::string& name, std::uint32_t value) override {
        return inner.WriteInt(name, value);
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        return inner.WriteString(name, value);
    }
    bool Flush() override {
        ++flushes;
        return inner.Flush();
    }
    std::string LastError() const override { return inner.LastError(); }

    MemorySettingsStore inner;
    int flushes = 0;
};

struct WindowRig {
    explicit WindowRig(VirtualSettings settings = {}, bool plugged = true)
        : programmer(std::move(settings), clock), usb(programmer) {
        if (!plugged) programmer.Unplug();
        window = std::make_unique<TfrmMains>(
            MainWindowPorts{sounds, store, usb, clock, update, MakeCommandWindows, &prompts});
    }

    template <typename T>
    T* Find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QStringList LogLines() const { return Find<LogView>("Memo1")->Lines(); }

    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    CountingStore store;
    test::RecordingSounds sounds;
    test::RecordingPrompts prompts;
    NoFirmwareUpdate update;
    std::unique_ptr<TfrmMains> window;
};

QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void toolbarAtStartUp_data();
    void toolbarAtStartUp();
    void startUpLog_data();
    void startUpLog();
    void windowAtStartUp();
    void panelLabels_data();
    void panelLabels();
    void hintShownOnlyWhileEnabled_data();
    void hintShownOnlyWhileEnabled();
    void clearEmptiesOnlyTheLog();
    void reconnectLogsAgainAndDisablesCommands();
    void layoutFollowsSize_data();
    void layoutFollowsSize();
    void closingSavesSettingsOnce();
};

void MainWindowTest::toolbarAtStartUp_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("SB_Select") << "Select"
                               << "Select Device" << 8 << true;
    QTest::newRow("SB_Load") << "Load"
                             << "Load File to Buffer" << 74 << false;
    QTest::newRow("SB_Save") << "Save"
                             << "Save Buffer to File" << 140 << false;
    QTest::newRow("SB_Edit") << "Edit"
                             << "Edit Buffer" << 206 << false;
    QTest::newRow("SB_Config") << "Config"
                               << "Set Device Configuration Bits" << 272 << false;
    QTest::newRow("SB_Blank") << "Blank"
                              << "Check If Device Blank" << 338 << false;
    QTest::newRow("SB_Read") << "Read"
                             << "Read Device" << 404 << false;
    QTest::newRow("SB_Prog") << "Program"
                             << "Program Device" << 470 << false;
    QTest::newRow("SB_Verify") << "Verify"
                               << "Verify Device" << 536 << false;
    QTest::newRow("SB_Erase") << "Erase"
                              << "Erase Device " << 602 << false;
    QTest::newRow("SB_Option") << "Options"
                               << "Set Options" << 668 << false;
}

void MainWindowTest::toolbarAtStartUp() {
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(int, left);
    QFETCH(bool, enabled);
    WindowRig rig;
    QCOMPARE(rig.window->findChildren<QToolButton*>().size(), 11);
    const auto* button = rig.Find<QToolButton>(QTest::currentDataTag());
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->geometry(), QRect(left, 0, 66, 57));
    QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QVERIFY(!button->icon().isNull());
    QCOMPARE(button->isEnabled(), enabled);
    // A disabled command offers no hint.
    QCOMPARE(button->toolTip(), enabled ? hint : QString());
}

void MainWindowTest::startUpLog_data() {
    QTest::addColumn<QString>("hello");
    QTest::addColumn<bool>("plugged");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("programmer with firmware 2.3") << "Here" << true << kVersionLines;
    QTest::newRow("no programmer") << "Here" << false << kDemoLines;
    QTest::newRow("wrong hello") << "Nope" << true << kDemoLines;
}

void MainWindowTest::startUpLog() {
    QFETCH(QString, hello);
    QFETCH(bool, plugged);
    QFETCH(QStringList, lines);
    VirtualSettings settings;
    settings.hello = hello.toStdString();
    WindowRig rig(settings, plugged);
    QCOMPARE(rig.LogLines(), lines);
    // What the user reads, blanks included.
    QCOMPARE(rig.Find<LogView>("Memo1")->toPlainText(), lines.join('\n'));
    QVERIFY(rig.prompts.boxes.empty());
}

void MainWindowTest::windowAtStartUp() {
    WindowRig rig;
    QCOMPARE(rig.window->windowTitle(), QStringLiteral("KARVO Mk2"));
    QCOMPARE(rig.window->size(), QSize(790, 534));
    // Smaller only for a small screen, and never below what shows every control.
    QCOMPARE(rig.window->minimumSize(), QSize(kMinClientWidth, kMinClientHeight));
    // The offscreen screen is 800 × 600: smaller than 1024 × 768, so the
    // window goes to the top left, but large enough for no warning.
    QCOMPARE(rig.window->pos(), QPoint(1, 1));

    const auto* memo = rig.Find<LogView>("Memo1");
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    const auto* clear = rig.Find<QPushButton>("ClearMessages");
    QCOMPARE(clear->text(), QStringLiteral("Clear"));
    QCOMPARE(clear->toolTip(), QStringLiteral("Clear Messages"));
    QCOMPARE(rig.Find<QPushButton>("ReconnectBT")->text(), QStringLiteral("Reconnect"));
    const auto* reprogram = rig.Find<QPushButton>("ReFirm");
    QCOMPARE(reprogram->text(), QStringLiteral("Reprog"));
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QVERIFY(!reprogram->isVisible());
    QVERIFY(clear->isVisible());

    // One fixed-pitch font throughout, the panels included; only a shown
    // window has all its fonts settled.
    const QString fixedPitch = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    for (const char* name : {"Memo1", "ManuL", "CheckL", "FileL", "SB_Select", "ReconnectBT"}) {
        QCOMPARE(rig.Find<QWidget>(name)->font().family(), fixedPitch);
    }
    for (const QLabel* label : rig.window->findChildren<QLabel*>()) {
        QCOMPARE(label->font().family(), fixedPitch);
    }
}

void MainWindowTest::panelLabels_data() {
    QTest::addColumn<int>("label");
    QTest::addColumn<QString>("atStartUp");
    for (int i = 0; i < kPanelLabelCount; ++i) {
        const auto label = static_cast<PanelLabel>(i);
        QTest::newRow(kPanelLabelNames[static_cast<std::size_t>(i)].data())
            << i << (label == PanelLabel::AdapL ? " " : "");
    }
}

void MainWindowTest::panelLabels() {
    QFETCH(int, label);
    QFETCH(QString, atStartUp);
    WindowRig rig;
    const auto* shown = rig.Find<QLabel>(QTest::currentDataTag());
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->text(), atStartUp);
    rig.window->Presenter().Panel().SetLabel(static_cast<PanelLabel>(label), "0x1F  27C256");
    QCOMPARE(shown->text(), QStringLiteral("0x1F  27C256"));
}

void MainWindowTest::hintShownOnlyWhileEnabled_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("hint");
    const char* const hints[] = {"Load File to Buffer",   "Save Buffer to File",
                                 "Edit Buffer",           "Set Device Configuration Bits",
                                 "Check If Device Blank", "Read Device",
                                 "Program Device",        "Verify Device",
                                 "Erase Device ",         "Set Options"};
    for (int i = 1; i < kToolButtonCount; ++i) {
        QTest::newRow(kToolButtonNames[static_cast<std::size_t>(i)].data()) << i << hints[i - 1];
    }
}

void MainWindowTest::hintShownOnlyWhileEnabled() {
    QFETCH(int, button);
    QFETCH(QString, hint);
    WindowRig rig;
    const auto id = static_cast<ToolButton>(button);
    QToolButton* shown = rig.window->Button(id);
    rig.window->Presenter().Panel().SetEnabled(id, true);
    QVERIFY(shown->isEnabled());
    QCOMPARE(shown->toolTip(), hint);
    rig.window->Presenter().Session().DisableOperationButtons();
    QVERIFY(!shown->isEnabled());
    QCOMPARE(shown->toolTip(), QString());
}

void MainWindowTest::clearEmptiesOnlyTheLog() {
    WindowRig rig;
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    rig.window->Presenter().Panel().SetLabel(PanelLabel::DevL, "27C256");
    QTest::mouseClick(rig.Find<QPushButton>("ClearMessages"), Qt::LeftButton);
    QCOMPARE(rig.LogLines(), QStringList());
    QCOMPARE(rig.Find<LogView>("Memo1")->toPlainText(), QString());
    QCOMPARE(rig.Find<QLabel>("DevL")->text(), QStringLiteral("27C256"));
    QVERIFY(rig.window->Button(ToolButton::SB_Select)->isEnabled());
    // The log goes on from an empty page.
    rig.window->Presenter().LogLine(" after");
    QCOMPARE(rig.LogLines(), QStringList{" after"});
}

void MainWindowTest::reconnectLogsAgainAndDisablesCommands() {
    WindowRig rig;
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    rig.window->Presenter().Panel().SetEnabled(ToolButton::SB_Load, true);
    QTest::mouseClick(rig.Find<QPushButton>("ReconnectBT"), Qt::LeftButton);
    QCOMPARE(rig.LogLines(), kVersionLines + kVersionLines);
    QVERIFY(!rig.window->Button(ToolButton::SB_Load)->isEnabled());
    QCOMPARE(rig.window->Button(ToolButton::SB_Load)->toolTip(), QString());
    QVERIFY(rig.window->Button(ToolButton::SB_Select)->isEnabled());

    rig.programmer.Unplug();
    QTest::mouseClick(rig.Find<QPushButton>("ReconnectBT"), Qt::LeftButton);
    QCOMPARE(rig.LogLines(), kVersionLines + kVersionLines + kDemoLines);
}

void MainWindowTest::layoutFollowsSize_data() {
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("client");
    QTest::newRow("design size") << QSize(790, 534) << QSize(790, 534);
    QTest::newRow("larger") << QSize(1400, 900) << QSize(1400, 900);
    QTest::newRow("wider only") << QSize(1200, 534) << QSize(1200, 534);
    QTest::newRow("smaller, for a small screen") << QSize(700, 450) << QSize(700, 450);
    QTest::newRow("below the minimum") << QSize(500, 300) << QSize(600, 340);
}

void MainWindowTest::layoutFollowsSize() {
    QFETCH(QSize, asked);
    QFETCH(QSize, client);
    WindowRig rig;
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    const QRect designMemo = rig.Find<LogView>("Memo1")->geometry();

    rig.window->resize(asked);
    QTRY_COMPARE(rig.window->size(), client);
    const MainLayout expected = ComputeMainLayout(client.width(), client.height());
    const auto* memo = rig.Find<LogView>("Memo1");
    const auto* panel1 = rig.Find<QWidget>("Panel1");
    QCOMPARE(panel1->geometry(), ToQRect(expected.panel1));
    QCOMPARE(rig.Find<QWidget>("Panel2")->geometry(), ToQRect(expected.panel2));
    QCOMPARE(rig.Find<QWidget>("ClearMessages")->geometry(), ToQRect(expected.clearButton));
    QCOMPARE(rig.Find<QWidget>("ReconnectBT")->geometry(), ToQRect(expected.reconnectButton));
    QCOMPARE(memo->geometry(), ToQRect(expected.memo));

    // The log takes all the growth; the panels and buttons keep their
    // distance from the bottom edge, the toolbar its place.
    QCOMPARE(memo->width() - designMemo.width(), client.width() - 790);
    QCOMPARE(memo->height() - designMemo.height(), client.height() - 534);
    QCOMPARE(memo->geometry().bottom() + 1, panel1->y());
    QCOMPARE(client.height() - panel1->y(), 534 - 338);
    QCOMPARE(client.width() - rig.Find<QWidget>("ReconnectBT")->x(), 790 - 696);
    // At the design size and above the toolbar keeps its place; a smaller
    // window narrows the buttons so the last one stays on it.
    const QRect options = rig.window->Button(ToolButton::SB_Option)->geometry();
    if (client.width() >= 790) {
        QCOMPARE(options, QRect(668, 0, 66, 57));
    } else {
        QVERIFY(options.right() < client.width());
        QCOMPARE(options.width(), expected.toolButtonWidth);
    }
}

void MainWindowTest::closingSavesSettingsOnce() {
    WindowRig rig;
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    const int before = rig.store.flushes;
    QVERIFY(rig.window->close());
    QCOMPARE(rig.store.flushes, before + 1);
    std::optional<std::uint32_t> revision;
    QVERIFY(rig.store.inner.ReadInt("RevNo", revision));
    QCOMPARE(revision, std::optional<std::uint32_t>(2002));
    QVERIFY(rig.window->Presenter().LinkIfOpen() == nullptr);
    rig.window.reset();
    QCOMPARE(rig.store.flushes, before + 1);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
