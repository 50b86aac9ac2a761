// The Qt sides of the core's ports: the log from a worker thread, message
// boxes, sounds, and the command line of karvo.
#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/ui/GuiOptions.h"
#include "app/ui/KarvoApplication.h"
#include "app/ui/LogView.h"
#include "app/ui/MemoLog.h"
#include "app/ui/MessageBoxPrompts.h"
#include "app/ui/SoundEffects.h"

using namespace karvo;
using namespace karvo::ui;

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::TextFormat format = Qt::AutoText;
};

// Answers the next message box with OK once it is up, noting what it showed.
// The box runs its own event loop, so it is found from a timer.
void AnswerNextBox(SeenBox& seen, std::function<void()> whileShown = {}) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &seen, whileShown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = {box->windowTitle(), box->text(), box->icon(),
                static_cast<int>(box->buttons().size()), box->textFormat()};
        if (whileShown) whileShown();
        box->button(QMessageBox::Ok)->click();
        timer->deleteLater();
    });
    timer->start(10);
}

// A short but well-formed WAV: 16-bit mono silence.
QByteArray WaveFile(int samples) {
    QByteArray data;
    auto put32 = [&data](quint32 v) {
        for (int i = 0; i < 4; ++i) data.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&data](quint16 v) {
        data.append(static_cast<char>(v & 0xFF));
        data.append(static_cast<char>(v >> 8));
    };
    const quint32 bytes = static_cast<quint32>(samples) * 2;
    data.append("RIFF");
    put32(36 + bytes);
    data.append("WAVEfmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);
    put32(22050);
    put32(44100);
    put16(2);
    put16(16);
    data.append("data");
    put32(bytes);
    data.append(QByteArray(static_cast<int>(bytes), '\0'));
    return data;
}

// Fails the way a command with a bug would, inside an event handler.
class FailingHandler final : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("Range check error");
        return QObject::event(event);
    }
};

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class UiPortsTest : public QObject {
    Q_OBJECT

  private slots:
    void logKeepsEveryLineAsAppended();
    void logLinesFromAWorkerArriveInOrder();
    void logOutlivedByItsWorker();
    void messageBox_data();
    void messageBox();
    void messageBoxFromAWorkerWaitsForTheAnswer();
    void sounds_data();
    void sounds();
    void soundThatFailsToDecodeSwitchesOff();
    void options_data();
    void options();
    void exceptionInAHandlerIsShownAndTheProgramGoesOn();
};

void UiPortsTest::logKeepsEveryLineAsAppended() {
    LogView memo;
    QCOMPARE(memo.objectName(), QStringLiteral("Memo1"));
    memo.AppendLine("");
    QCOMPARE(memo.Lines(), QStringList{""});
    memo.AppendLine(" KARVO Mk2 ");
    memo.AppendLine("");
    QCOMPARE(memo.Lines(), (QStringList{"", " KARVO Mk2 ", ""}));
    QCOMPARE(memo.toPlainText(), QStringLiteral("\n KARVO Mk2 \n"));
    memo.ClearLines();
    QCOMPARE(memo.Lines(), QStringList());
    memo.AppendLine(" Compare Error");
    QCOMPARE(memo.Lines(), QStringList{" Compare Error"});
}

void UiPortsTest::logLinesFromAWorkerArriveInOrder() {
    LogView memo;
    MemoLog log(&memo);
    log.AppendLine(" first");
    QStringList expected;
    std::thread worker([&log, &expected] {
        for (int i = 0; i < 200; ++i) log.AppendLine(" line " + std::to_string(i));
        log.Clear();
        for (int i = 0; i < 50; ++i) {
            log.AppendLine(" after " + std::to_string(i));
            expected.append(QStringLiteral(" after %1").arg(i));
        }
    });
    worker.join();
    // Nothing was written from the worker itself; the window does it.
    QCOMPARE(memo.Lines(), QStringList{" first"});
    QTRY_COMPARE(memo.Lines(), expected);
}

void UiPortsTest::logOutlivedByItsWorker() {
    auto* memo = new LogView;
    MemoLog log(memo);
    std::thread worker([&log] {
        for (int i = 0; i < 100; ++i) log.AppendLine(" late");
    });
    worker.join();
    delete memo;  // the window closed with lines still on their way
    QCoreApplication::processEvents();
    log.AppendLine(" later still");
    log.Clear();
}

void UiPortsTest::messageBox_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::newRow("information") << static_cast<int>(BoxKind::Information)
                                 << static_cast<int>(QMessageBox::Information);
    QTest::newRow("warning") << static_cast<int>(BoxKind::Warning)
                             << static_cast<int>(QMessageBox::Warning);
    QTest::newRow("error") << static_cast<int>(BoxKind::Error)
                           << static_cast<int>(QMessageBox::Critical);
}

void UiPortsTest::messageBox() {
    QFETCH(int, kind);
    QFETCH(int, icon);
    QWidget window;
    MessageBoxPrompts prompts(&window);
    SeenBox seen;
    AnswerNextBox(seen);
    prompts.ShowMessage(static_cast<BoxKind>(kind), "Program Resolution",
                        " No Device Files Found <see README> ");
    QCOMPARE(seen.caption, QStringLiteral("Program Resolution"));
    // Blanks and angle brackets are part of the text, not markup.
    QCOMPARE(seen.text, QStringLiteral(" No Device Files Found <see README> "));
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(static_cast<int>(seen.icon), icon);
    QCOMPARE(seen.buttons, 1);
}

void UiPortsTest::messageBoxFromAWorkerWaitsForTheAnswer() {
    QWidget window;
    MessageBoxPrompts prompts(&window);
    SeenBox seen;
    std::atomic<bool> returned{false};
    bool returnedBeforeAnswer = true;
    AnswerNextBox(seen, [&] { returnedBeforeAnswer = returned; });
    std::thread worker([&] {
        prompts.ShowMessage(BoxKind::Error, "File ERROR", " Cannot open file");
        returned = true;
    });
    QTRY_VERIFY(returned.load());
    QVERIFY(!returnedBeforeAnswer);
    worker.join();
    QCOMPARE(seen.caption, QStringLiteral("File ERROR"));
}

void UiPortsTest::sounds_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("outputPresent");
    QTest::addColumn<bool>("started");
    QTest::newRow("playable file") << "chimes.wav" << true << true;
    QTest::newRow("missing file") << "missing.wav" << true << false;
    QTest::newRow("not a WAV file") << "notes.wav" << true << false;
    QTest::newRow("empty file") << "empty.wav" << true << false;
    QTest::newRow("no audio output") << "chimes.wav" << false << false;
}

void UiPortsTest::sounds() {
    QFETCH(QString, file);
    QFETCH(bool, outputPresent);
    QFETCH(bool, started);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Write(dir.filePath("chimes.wav"), WaveFile(2205));
    Write(dir.filePath("notes.wav"), "Chimes, then a short pause.");
    Write(dir.filePath("empty.wav"), QByteArray());
    SoundEffects sounds([outputPresent] { return outputPresent; });
    const SoundResult result = sounds.Play(dir.filePath(file).toStdString());
    QCOMPARE(result == SoundResult::Started, started);
}

void UiPortsTest::soundThatFailsToDecodeSwitchesOff() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Looks like a WAV file from its header, but nothing after it is.
    QByteArray broken = WaveFile(10).left(12);
    broken.append("garbage, not a format chunk");
    Write(dir.filePath("error.wav"), broken);
    Write(dir.filePath("notify.wav"), WaveFile(100));
    SoundEffects sounds([] { return true; });
    const std::string path = dir.filePath("error.wav").toStdString();
    QCOMPARE(sounds.Play(path), SoundResult::Started);
    // The player gives up some time later; from then on the sounds are off.
    QTRY_COMPARE(sounds.Play(path), SoundResult::DeviceError);
    QCOMPARE(sounds.Play(dir.filePath("notify.wav").toStdString()), SoundResult::DeviceError);
}

void UiPortsTest::options_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("useVirtual");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QStringList>("others");
    QTest::newRow("none") << QStringList{} << false << ""
                          << "" << QStringList{};
    QTest::newRow("virtual") << QStringList{"--virtual"} << true << ""
                             << "" << QStringList{};
    QTest::newRow("virtual settings")
        << QStringList{"--virtual=firmware=2.4,mute=F"} << true << "firmware=2.4,mute=F"
        << "" << QStringList{};
    QTest::newRow("data dir") << QStringList{"--data-dir", "/opt/karvo"} << false << ""
                              << "/opt/karvo" << QStringList{};
    QTest::newRow("data dir joined") << QStringList{"--data-dir=share", "--virtual"} << true << ""
                                     << "share" << QStringList{};
    QTest::newRow("left for Qt or unknown")
        << QStringList{"-platform", "offscreen", "--verbose"} << false << ""
        << "" << QStringList{"-platform", "offscreen", "--verbose"};
}

void UiPortsTest::options() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, useVirtual);
    QFETCH(QString, settings);
    QFETCH(QString, dataDir);
    QFETCH(QStringList, others);
    std::vector<std::string> words{"karvo"};
    for (const QString& a : arguments) words.push_back(a.toStdString());
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());
    std::string error;
    const auto parsed = ParseGuiOptions(static_cast<int>(argv.size()), argv.data(), error);
    QVERIFY(parsed.has_value());
    QCOMPARE(parsed->useVirtual, useVirtual);
    QCOMPARE(QString::fromStdString(parsed->virtualSettings), settings);
    QCOMPARE(QString::fromStdString(parsed->dataDir), dataDir);
    QStringList left;
    for (const std::string& o : parsed->others) left.append(QString::fromStdString(o));
    QCOMPARE(left, others);
}

void UiPortsTest::exceptionInAHandlerIsShownAndTheProgramGoesOn() {
    FailingHandler handler;
    SeenBox seen;
    AnswerNextBox(seen);
    QEvent event(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&handler, &event));
    QCOMPARE(seen.caption, QStringLiteral("KARVO Mk2"));
    QCOMPARE(seen.text, QStringLiteral("Range check error"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    // The event loop is still there for the next event.
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    QTRY_VERIFY(ran);
}

// The program's own application object, so that its exception handling is
// what the tests see.
int main(int argc, char** argv) {
    KarvoApplication app(argc, argv);
    UiPortsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "UiPortsTest.moc"
