// The main window on a 640 × 480 screen: after the resolution box its frame,
// title bar included, sits at the top left and the whole window fits on the
// screen, the log giving up the room. Runs on an offscreen screen of that
// size, set up before the application starts.
#include <cstdlib>
#include <fstream>
#include <memory>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "app/ui/LogView.h"
#include "app/ui/TfrmMains.h"
#include "gui/CommandWindows.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;

class SmallScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void theWholeWindowFitsTheScreen();
};

void SmallScreenTest::theWholeWindowFitsTheScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(640, 480));
    ManualClock clock;
    VirtualProgrammer programmer({}, clock);
    VirtualBackend usb(programmer);
    MemorySettingsStore store;
    test::RecordingSounds sounds;
    test::RecordingPrompts prompts;
    NoFirmwareUpdate update;
    TfrmMains window(
        MainWindowPorts{sounds, store, usb, clock, update, MakeCommandWindows, &prompts});
    QCOMPARE(prompts.boxes.size(), std::size_t{1});
    QCOMPARE(prompts.boxes[0].caption, std::string("Program Resolution"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);  // the fit after the show
    const QRect frame = window.frameGeometry();
    QVERIFY2(screen.contains(frame), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                    .arg(frame.x())
                                                    .arg(frame.y())
                                                    .arg(frame.width())
                                                    .arg(frame.height())));
    QCOMPARE(frame.topLeft(), QPoint(1, 1));
    // Every control is inside the client area.
    const QRect client = window.rect();
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isHidden()) continue;
        QVERIFY2(client.contains(child->geometry()), qPrintable(child->objectName()));
    }
    QVERIFY(window.findChild<LogView*>("Memo1")->height() >= 60);
}

int main(int argc, char** argv) {
    // A screen of 640 × 480 for the offscreen platform.
    const QString config = QDir::temp().filePath(
        QStringLiteral("karvo-small-screen-%1.json").arg(QCoreApplication::applicationPid()));
    std::ofstream(config.toStdString())
        << R"({"screens":[{"name":"small","x":0,"y":0,"width":640,"height":480,)"
        << R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication app(argc, argv);
    SmallScreenTest test;
    const int failed = QTest::qExec(&test, argc, argv);
    QFile::remove(config);
    return failed;
}

#include "SmallScreenTest.moc"
