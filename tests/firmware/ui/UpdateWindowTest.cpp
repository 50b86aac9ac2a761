// The firmware-update window on screen: the sequence runs off the GUI thread
// while the window shows its lines and bar and goes on painting; only the
// update closes it once the bootloader was found; the main window's
// wait-clear-reconnect after it.
#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "app/ui/LogView.h"
#include "app/ui/TfrmMains.h"
#include "firmware/FirmwareUpdater.h"
#include "firmware/ui/TLoadFrm.h"
#include "firmware/ui/UpdateWindows.h"
#include "gui/CommandWindows.h"
#include "support/GatedClock.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;

namespace {

TLoadFrm* OpenUpdateWindow() {
    return qobject_cast<TLoadFrm*>(QApplication::activeModalWidget());
}

VirtualSettings InBootloader() {
    VirtualSettings settings;
    settings.firmwareMinor = 2;
    settings.paced = true;
    settings.bootloader.startInBootloader = true;
    settings.bootloader.eraseMs = 0;
    return settings;
}

}  // namespace

class UpdateWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void looksAsGiven();
    void sequenceRunsWhileTheWindowStaysResponsive();
    void userMayCloseOnlyWhileWaiting();
    void mainWindowWaitsClearsAndReconnects();
    void hiddenActionUpdatesFromAChosenFile();
};

void UpdateWindowTest::looksAsGiven() {
    TLoadFrm form(nullptr);
    QCOMPARE(form.windowTitle(), QStringLiteral("Firmware Updating"));
    auto* bar = form.findChild<QProgressBar*>("ProgBar");
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->maximum(), 100);
    QVERIFY(form.findChild<QPlainTextEdit*>("Display")->isReadOnly());
    form.AppendLine("one");
    form.AppendLine("two");
    QCOMPARE(form.Lines(), (QStringList{"one", "two"}));
    form.ClearDisplay();
    form.SetProgress(250);
    QCOMPARE(bar->value(), 100);
}

// The worker is parked in the middle of the write (the programmer's clock
// holds it at a chosen report): the window meanwhile shows the lines so far
// and a bar between a third and two thirds, takes no Escape, and repaints.
void UpdateWindowTest::sequenceRunsWhileTheWindowStaysResponsive() {
    test::GatedClock gate;
    ManualClock clock;
    VirtualProgrammer programmer(InBootloader(), gate);
    VirtualBackend usb(programmer);
    UpdateWindows windows;
    FirmwareUpdater updater(usb, clock, windows, CarriedImage());
    gate.Arm(300);

    QStringList seenLines;
    int seenBar = -1;
    bool stillOpenAfterEscape = false;
    int ticksWhileParked = 0;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TLoadFrm* form = OpenUpdateWindow();
        if (form == nullptr || !gate.Parked()) return;
        if (++ticksWhileParked < 5) return;  // the GUI thread keeps running its timers
        seenLines = form->Lines();
        seenBar = form->findChild<QProgressBar*>("ProgBar")->value();
        QTest::keyClick(form, Qt::Key_Escape);
        form->close();
        stillOpenAfterEscape = form->isVisible();
        watch.stop();
        gate.Open();
    });
    watch.start();
    const FirmwareUpdateOutcome outcome = updater.RunUpdate();

    QVERIFY(outcome.succeeded);
    QVERIFY(stillOpenAfterEscape);
    QVERIFY2(seenBar > 33 && seenBar < 66, qPrintable(QString::number(seenBar)));
    QCOMPARE(seenLines.mid(0, 3),
             (QStringList{"Device Attached.", "Connecting...", "Device Ready"}));
    QCOMPARE(seenLines.last(), QStringLiteral("Writing Device..."));
    QCOMPARE(outcome.transcript.back(), std::string("Resetting..."));
    QCOMPARE(programmer.CurrentMode(), VirtualProgrammer::Mode::NormalFirmware);
}

void UpdateWindowTest::userMayCloseOnlyWhileWaiting() {
    ManualClock clock;
    VirtualProgrammer programmer(VirtualSettings{}, clock);  // no bootloader ever appears
    VirtualBackend usb(programmer);
    UpdateWindows windows;
    FirmwareUpdater updater(usb, clock, windows, CarriedImage());
    QTimer::singleShot(200, [] {
        TLoadFrm* form = OpenUpdateWindow();
        QVERIFY(form != nullptr);
        QCOMPARE(form->Lines(),
                 QStringList{"Device not detected.  Verify device is attached and in firmware "
                             "update mode."});
        form->close();
    });
    const FirmwareUpdateOutcome outcome = updater.RunUpdate();
    QVERIFY(!outcome.succeeded);
    QCOMPARE(outcome.transcript.back(),
             std::string("The firmware update was cancelled before the bootloader appeared."));
}

void UpdateWindowTest::mainWindowWaitsClearsAndReconnects() {
    ManualClock clock;
    VirtualSettings settings;
    settings.firmwareMinor = 2;
    VirtualProgrammer programmer(settings, clock);
    VirtualBackend usb(programmer);
    UpdateWindows windows;
    FirmwareUpdater updater(usb, clock, windows, CarriedImage());
    MemorySettingsStore store;
    test::RecordingSounds sounds;
    test::RecordingPrompts prompts;
    TfrmMains window(
        MainWindowPorts{sounds, store, usb, clock, updater, MakeCommandWindows, &prompts});
    const QStringList lines = window.findChild<LogView*>("Memo1")->Lines();
    QVERIFY2(lines.size() > 6, qPrintable(lines.join('|')));
    QCOMPARE(lines.first(), QStringLiteral("Device Attached."));
    QVERIFY(lines.contains("Erase/Program/Verify sequence completed successfully."));
    QCOMPARE(lines.mid(lines.size() - 4), (QStringList{" ", " KARVO Mk2 ", " Firmware Version: 2.3",
                                                       " Software Version: 2.002"}));
    QCOMPARE(window.Presenter().State().AppState, 1);
}

// Ctrl+Shift+U: the user's own image, chosen in the Open dialog, updates a
// programmer that needs no update.
void UpdateWindowTest::hiddenActionUpdatesFromAChosenFile() {
    struct ChooseImage final : FileChoicePort {
        std::string offered;
        FileDialogAnswer ChooseFileToOpen(const FileDialogRequest& request) override {
            offered = request.filter;
            return {true, std::string(KARVO_BIN_DIR) + "/firmware/karvo-virtual-2.3.kfw", 1, ""};
        }
        FileDialogAnswer ChooseFileToSave(const FileDialogRequest&) override { return {}; }
    } files;
    ManualClock clock;
    VirtualProgrammer programmer(VirtualSettings{}, clock);
    VirtualBackend usb(programmer);
    UpdateWindows windows;
    FirmwareUpdater updater(usb, clock, windows, CarriedImage());
    MemorySettingsStore store;
    test::RecordingSounds sounds;
    test::RecordingPrompts prompts;
    TfrmMains window(
        MainWindowPorts{sounds, store, usb, clock, updater, MakeCommandWindows, &prompts, &files});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(files.offered.find("*.kfw") != std::string::npos);
    const QStringList lines = window.findChild<LogView*>("Memo1")->Lines();
    QVERIFY2(lines.contains("Resetting..."), qPrintable(lines.join('|')));
    QCOMPARE(lines.last(), QStringLiteral(" Software Version: 2.002"));
    QCOMPARE(programmer.WithBootloader([](VirtualBootloader& b) { return b.Erases(); }), 1);
}

QTEST_MAIN(UpdateWindowTest)
#include "UpdateWindowTest.moc"
