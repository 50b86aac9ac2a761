// The progress window of a device operation and the way a worker reaches the
// GUI thread: alone, and through the main window's operation buttons against
// a virtual programmer.
#include <thread>

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "app/ui/LogView.h"
#include "app/ui/QtUiThread.h"
#include "app/ui/TfrmMains.h"
#include "gui/CommandWindows.h"
#include "operations/ui/ProgressWindows.h"
#include "operations/ui/TProgressForm.h"
#include "operations/ui/TfrmDifferences.h"
#include "support/CatalogueFixture.h"
#include "support/GatedClock.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;
using karvo::test::DeviceBuilder;

namespace {

// Every caption a progress window was given, in order, however briefly it
// was up.
class CaptionRecorder final : public QObject {
  public:
    CaptionRecorder() { qApp->installEventFilter(this); }
    ~CaptionRecorder() override { qApp->removeEventFilter(this); }
    CaptionRecorder(const CaptionRecorder&) = delete;
    CaptionRecorder& operator=(const CaptionRecorder&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowTitleChange) {
            if (auto* form = qobject_cast<TProgressForm*>(watched)) {
                if (captions.isEmpty() || captions.last() != form->windowTitle()) {
                    captions << form->windowTitle();
                }
            }
        }
        return false;
    }
    QStringList captions;
};

DeviceRecord Eprom(const char* name, std::uint8_t algorithm) {
    DeviceBuilder b('E', 0x7FFF, name);
    b.Algorithm(algorithm).Caps(0xFF, 0x05);
    b.record.SetFloat(DeviceRecord::kVcc, 5.0f);
    return b;
}

// The main window over a paced virtual programmer whose time is gated, with
// a 27C256 (UV EPROM) and a 28C256 (EEPROM) in a scratch catalogue.
struct OperationWindowRig {
    explicit OperationWindowRig(int device = 0) : programmer(Paced(), gate), usb(programmer) {
        dir.Write("KARVO_e.usb", {{"Atmel", {Eprom("27C256", 3), Eprom("28C256", 9)}}});
        window = std::make_unique<TfrmMains>(
            MainWindowPorts{sounds, store, usb, clock, update, MakeCommandWindows, &prompts});
        window->show();
        struct Pick final : SelectionDialogPort {
            int device = 0;
            bool Run(SelectionModel& model) override {
                model.ClickDevice(device);
                return true;
            }
            void ShowIspNotice() override {}
        } pick;
        pick.device = device;
        SelectCommand(window->Presenter().Session()).Run(pick);
        sounds.played.clear();
    }
    static VirtualSettings Paced() {
        VirtualSettings settings;
        settings.paced = true;
        return settings;
    }
    QStringList LogLines() const { return window->findChild<LogView*>("Memo1")->Lines(); }
    QToolButton* Button(ToolButton button) const { return window->Button(button); }
    QString EnabledButtons() const {
        QStringList names;
        for (int i = 0; i < kToolButtonCount; ++i) {
            if (window->Button(static_cast<ToolButton>(i))->isEnabled()) {
                names << QString::fromLatin1(kToolButtonNames[static_cast<std::size_t>(i)]);
            }
        }
        return names.join(' ');
    }

    test::ScratchProgramDir dir;
    test::GatedClock gate;
    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    MemorySettingsStore store;
    test::RecordingSounds sounds;
    test::RecordingPrompts prompts;
    NoFirmwareUpdate update;
    std::unique_ptr<TfrmMains> window;
};

const QString kAllButtons =
    "SB_Select SB_Load SB_Save SB_Edit SB_Config SB_Blank SB_Read SB_Prog SB_Verify SB_Erase "
    "SB_Option";

bool IsElapsedLine(const QString& line) {
    static const QRegularExpression elapsed(QStringLiteral("^ \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d$"));
    return elapsed.match(line).hasMatch();
}

}  // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void looksAsGiven();
    void showsCaptionAndPercentage_data();
    void showsCaptionAndPercentage();
    void showsTheTimeLeft();
    void onlyAbortEndsIt();
    void closedBeforeShownDoesNotWait();
    void updatesAfterCloseDoNothing();
    void postsArriveInOrderOnTheGuiThread();
    void postsAfterTheWindowWentAreDropped();
    void readThroughTheWindow();
    void captionFollowsTheStep();
    void differencesAfterAFailedVerify();
    void abortDuringARead();
    void closingWhileFinishingClosesAfterTheWorker();
    void chipIdBoxOverTheProgressWindow();
};

void ProgressWindowTest::looksAsGiven() {
    QWidget owner;
    ProgressWindow window(&owner, {});
    TProgressForm* form = window.Form();
    QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(form->windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(!(form->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(form->windowFlags() & Qt::WindowMinMaxButtonsHint));
    auto* bar = form->findChild<QProgressBar*>("ProgRun");
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->size(), QSize(600, 25));
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QVERIFY(bar->isTextVisible());
    auto* abort = form->findChild<QPushButton*>("BitBtn1");
    QCOMPARE(abort->text(), QStringLiteral("Abort"));
    QVERIFY(!abort->autoDefault());
}

void ProgressWindowTest::showsCaptionAndPercentage_data() {
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("start") << 0x8000 << 0 << "0%";
    QTest::newRow("a quarter") << 0x8000 << 0x2000 << "25%";
    QTest::newRow("all") << 0x8000 << 0x8000 << "100%";
    QTest::newRow("a last block past the end") << 0x7FF0 << 0x8000 << "100%";
    QTest::newRow("1 MiB") << 0x100000 << 0x80000 << "50%";
    QTest::newRow("no maximum yet") << 0 << 0 << "0%";
}

void ProgressWindowTest::showsCaptionAndPercentage() {
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QWidget owner;
    ProgressWindow window(&owner, {});
    window.SetCaption("Blank Check");
    window.SetMaximum(maximum);
    window.SetValue(value);
    QCOMPARE(window.Form()->windowTitle(), QStringLiteral("Blank Check"));
    QCOMPARE(window.Form()->findChild<QProgressBar*>("ProgRun")->text(), shown);
}

void ProgressWindowTest::showsTheTimeLeft() {
    QWidget owner;
    ProgressWindow window(&owner, {});
    auto* left = window.Form()->findChild<QLabel*>("TimeLeft");
    QVERIFY(left != nullptr);
    const QSize size = window.Form()->size();
    window.SetCaption("Read");
    window.SetMaximum(1000);
    // One unit a millisecond by the worker's clock; nothing while too young.
    window.SetValueAt(0, 10000);
    window.SetValueAt(100, 10100);
    QCOMPARE(left->text(), QString());
    for (int v = 200; v <= 400; v += 100) window.SetValueAt(v, 10000 + v * 5);
    QCOMPARE(left->text(), QStringLiteral("About 3 s left"));
    for (int v = 500; v <= 800; v += 100) window.SetValueAt(v, 10000 + v * 5);
    QCOMPARE(left->text(), QStringLiteral("About 1 s left"));
    window.SetMaximum(100000);
    window.SetValueAt(0, 20000);
    QCOMPARE(left->text(), QString());
    for (int v = 0; v <= 40000; v += 1000) window.SetValueAt(v, 20000 + v * 10);
    QCOMPARE(left->text(), QStringLiteral("About 10 min left"));
    // The next step starts without a figure; the window keeps its size.
    window.SetCaption("Verify");
    QCOMPARE(left->text(), QString());
    QCOMPARE(window.Form()->size(), size);
    QCOMPARE(window.Form()->findChild<QProgressBar*>("ProgRun")->size(), QSize(600, 25));
}

void ProgressWindowTest::onlyAbortEndsIt() {
    QWidget owner;
    owner.setGeometry(4, 30, 790, 534);
    owner.show();
    int aborts = 0;
    std::unique_ptr<ProgressWindow> window;
    window = std::make_unique<ProgressWindow>(&owner, [&] {
        ++aborts;
        window->Close();
    });
    window->SetCaption("Read");
    bool survivedEscape = false;
    bool survivedClose = false;
    bool centred = false;
    bool modal = false;
    test::WhenModal<TProgressForm>([&](TProgressForm* form) {
        modal = form->isModal();
        centred = (test::FrameCentre(form) - test::FrameCentre(&owner)).manhattanLength() <= 2;
        QTest::keyClick(form, Qt::Key_Escape);
        survivedEscape = form->isVisible();
        survivedClose = !form->close() && form->isVisible();
        QTest::keyClick(form, Qt::Key_Return);
        QCOMPARE(aborts, 0);
        QTest::mouseClick(form->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    window->RunModal();
    QVERIFY(modal);
    QVERIFY(centred);
    QVERIFY(survivedEscape);
    QVERIFY(survivedClose);
    QCOMPARE(aborts, 1);
    QVERIFY(!window->Form()->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void ProgressWindowTest::closedBeforeShownDoesNotWait() {
    QWidget owner;
    ProgressWindow window(&owner, {});
    window.Close();
    window.RunModal();  // returns at once instead of waiting for a close that came already
    QVERIFY(!window.Form()->isVisible());
}

void ProgressWindowTest::updatesAfterCloseDoNothing() {
    QWidget owner;
    auto window = std::make_unique<ProgressWindow>(&owner, [] {});
    window->SetCaption("Read");
    window->SetMaximum(100);
    window->SetValue(10);
    window->Close();
    window->SetCaption("Verify");
    window->SetValue(90);
    window->Close();
    QCOMPARE(window->Form()->windowTitle(), QStringLiteral("Read"));
    QCOMPARE(window->Form()->findChild<QProgressBar*>("ProgRun")->value(), 10);
    QVERIFY(!window->Form()->isVisible());
    // The main window may go first; the port outlives its form harmlessly.
    QPointer<TProgressForm> form = window->Form();
    delete form.data();
    window->SetValue(50);
    window->Close();
    window.reset();
}

void ProgressWindowTest::postsArriveInOrderOnTheGuiThread() {
    QWidget window;
    QtUiThread ui(&window);
    QList<int> order;
    bool allOnGuiThread = true;
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            ui.Post([&, i] {
                order << i;
                allOnGuiThread = allOnGuiThread && QThread::currentThread() == qApp->thread();
            });
        }
    });
    worker.join();
    // Even from the GUI thread a post waits its turn behind the worker's.
    ui.Post([&] { order << -1; });
    QVERIFY(order.isEmpty());
    QTRY_COMPARE(order.size(), 201);
    for (int i = 0; i < 200; ++i) QCOMPARE(order[i], i);
    QCOMPARE(order.last(), -1);
    QVERIFY(allOnGuiThread);
}

void ProgressWindowTest::postsAfterTheWindowWentAreDropped() {
    auto window = std::make_unique<QWidget>();
    QtUiThread ui(window.get());
    int ran = 0;
    ui.Post([&] { ++ran; });
    window.reset();  // with a post still queued
    ui.Post([&] { ++ran; });
    QCoreApplication::sendPostedEvents();
    QTest::qWait(20);
    QCOMPARE(ran, 0);
}

void ProgressWindowTest::readThroughTheWindow() {
    OperationWindowRig rig;
    rig.programmer.WithSocket(
        [](std::optional<ChipModel>& chip) { chip->Area('e')->bytes[0x1234] = 0x5A; });
    QTest::mouseClick(rig.Button(ToolButton::SB_Read), Qt::LeftButton);
    const QStringList log = rig.LogLines();
    QVERIFY(log.size() >= 3);
    QCOMPARE(log.mid(log.size() - 3, 2), (QStringList{"", " Read Completed"}));
    QVERIFY2(IsElapsedLine(log.last()), qPrintable(log.last()));
    QCOMPARE(rig.sounds.played, std::vector<std::string>{"chimes.wav"});
    QCOMPARE(rig.window->Presenter().Buffer()[0x1234], 0x5A);
    QTRY_COMPARE(rig.EnabledButtons(), kAllButtons);
    QVERIFY(rig.window->findChildren<TProgressForm*>().isEmpty());
}

void ProgressWindowTest::captionFollowsTheStep() {
    OperationWindowRig rig(1);
    CaptionRecorder recorder;
    QTest::mouseClick(rig.Button(ToolButton::SB_Prog), Qt::LeftButton);
    QCOMPARE(recorder.captions, (QStringList{"Program", "Verify"}));
    QCOMPARE(rig.LogLines().mid(rig.LogLines().size() - 2, 1), QStringList{" Verified OK"});
    recorder.captions.clear();
    for (const auto& [button, caption] :
         {std::pair{ToolButton::SB_Blank, "Blank Check"},
          std::pair{ToolButton::SB_Verify, "Verify"}, std::pair{ToolButton::SB_Read, "Read"}}) {
        QTRY_VERIFY(rig.Button(button)->isEnabled());
        QTest::mouseClick(rig.Button(button), Qt::LeftButton);
        QCOMPARE(recorder.captions.first(), QString::fromLatin1(caption));
        recorder.captions.clear();
    }
}

void ProgressWindowTest::differencesAfterAFailedVerify() {
    OperationWindowRig rig;
    auto* differences = rig.window->findChild<QPushButton*>("Differences");
    QVERIFY(differences != nullptr);
    QVERIFY(!differences->isEnabled());
    QTest::mouseClick(rig.Button(ToolButton::SB_Verify), Qt::LeftButton);
    QTRY_COMPARE(rig.EnabledButtons(), kAllButtons);
    QVERIFY2(!differences->isEnabled(), "a clean Verify offers nothing");

    rig.programmer.WithSocket([](std::optional<ChipModel>& chip) {
        chip->Area('e')->bytes[0x0010] = 0x00;
        chip->Area('e')->bytes[0x6000] = 0x5A;
    });
    QTest::mouseClick(rig.Button(ToolButton::SB_Verify), Qt::LeftButton);
    QTRY_COMPARE(rig.EnabledButtons(), kAllButtons);
    QVERIFY(differences->isEnabled());
    const MemoryBuffer& buffer = rig.window->Presenter().Buffer();
    const std::vector<std::uint8_t> before(buffer.Data(), buffer.Data() + buffer.Allocated);

    QString listed;
    QString title;
    test::WhenModal<TfrmDifferences>([&](TfrmDifferences* window) {
        listed = window->List()->toPlainText();
        title = window->windowTitle();
        QTest::mouseClick(window->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    QTest::mouseClick(differences, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Differences: buffer and 27C256"));
    QCOMPARE(listed, QStringLiteral(" 0x00010  Ram = FF  27C256 = 00\n"
                                    " 0x06000  Ram = FF  27C256 = 5A\n"
                                    " 2 bytes differ in 2 ranges"));
    QVERIFY(std::equal(before.begin(), before.end(), buffer.Data()));
    QVERIFY(differences->isEnabled());
    // Another operation, or another chip, ends the offer.
    QTRY_COMPARE(rig.EnabledButtons(), kAllButtons);
    QTest::mouseClick(rig.Button(ToolButton::SB_Read), Qt::LeftButton);
    QVERIFY(!differences->isEnabled());
}

void ProgressWindowTest::abortDuringARead() {
    OperationWindowRig rig;
    // "eR", "GR" and 128 data reports pass; the 129th waits at the gate.
    rig.gate.Arm(2 + 128);
    const int logBefore = rig.LogLines().size();
    QString caption;
    int value = 0;
    QString percent;
    bool blocked = false;
    bool allDisabled = false;
    test::WhenModal<TProgressForm>([&](TProgressForm* form) {
        auto* bar = form->findChild<QProgressBar*>("ProgRun");
        QTRY_COMPARE_WITH_TIMEOUT(bar->value(), 0x2000, 10000);
        caption = form->windowTitle();
        value = bar->value();
        percent = bar->text();
        allDisabled = rig.EnabledButtons().isEmpty();
        // The main window takes no input meanwhile: Clear does not clear.
        // (Sent through the window system, where modality applies.)
        const auto* clear = rig.window->findChild<QPushButton*>("ClearMessages");
        QTest::mouseClick(rig.window->windowHandle(), Qt::LeftButton, {},
                          clear->mapTo(rig.window.get(), clear->rect().center()));
        blocked = rig.LogLines().size() == logBefore + 1;
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(form->isVisible());
        QTest::mouseClick(form->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    QTest::mouseClick(rig.Button(ToolButton::SB_Read), Qt::LeftButton);
    QCOMPARE(caption, QStringLiteral("Read"));
    QCOMPARE(value, 0x2000);
    QCOMPARE(percent, QStringLiteral("25%"));
    QVERIFY(allDisabled);
    QVERIFY(blocked);

    const QStringList log = rig.LogLines().mid(logBefore);
    QCOMPARE(log.size(), 3);
    QCOMPARE(log[0], QString());
    QCOMPARE(log[1], QStringLiteral(" Process Aborted"));
    QVERIFY2(IsElapsedLine(log[2]), qPrintable(log[2]));
    QCOMPARE(rig.sounds.played, std::vector<std::string>{"error.wav"});
    // The worker still holds the link, parked at the gate: the window stays
    // usable but offers nothing that needs the programmer, and says why.
    QCoreApplication::sendPostedEvents();
    auto* finishing = rig.window->findChild<QProgressBar*>("FinishingBar");
    QVERIFY(!finishing->isHidden());
    QVERIFY(finishing->text().startsWith(QStringLiteral("Finishing the aborted operation")));
    QCOMPARE(rig.EnabledButtons(), QString());
    QVERIFY(!rig.window->findChild<QPushButton*>("ReconnectBT")->isEnabled());

    // The worker winds down after the window was released: whatever it still
    // posts reaches no window and writes no line; its end gives the buttons
    // back.
    rig.gate.Open();
    rig.window->Presenter().Engine()->WaitForWorker();
    QCoreApplication::sendPostedEvents();
    QTest::qWait(20);
    QVERIFY(finishing->isHidden());
    QVERIFY(rig.window->findChild<QPushButton*>("ReconnectBT")->isEnabled());
    QCOMPARE(rig.LogLines().mid(logBefore), log);
    QCOMPARE(rig.sounds.played, std::vector<std::string>{"error.wav"});
    QVERIFY(rig.window->findChildren<TProgressForm*>().isEmpty());
    QCOMPARE(rig.EnabledButtons(), kAllButtons);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // The aborted stream was drained: the next Read works.
    QTest::mouseClick(rig.Button(ToolButton::SB_Read), Qt::LeftButton);
    QCOMPARE(rig.LogLines().mid(rig.LogLines().size() - 2, 1), QStringList{" Read Completed"});
}

// Closing the window while an aborted operation is being finished would take
// the link and the buffer from under the worker, or freeze the window until it
// ends: the window says so, stays, and closes itself once the worker is done.
void ProgressWindowTest::closingWhileFinishingClosesAfterTheWorker() {
    OperationWindowRig rig;
    rig.gate.Arm(2 + 128);
    test::WhenModal<TProgressForm>([&](TProgressForm* form) {
        auto* bar = form->findChild<QProgressBar*>("ProgRun");
        QTRY_COMPARE_WITH_TIMEOUT(bar->value(), 0x2000, 10000);
        QTest::mouseClick(form->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    QTest::mouseClick(rig.Button(ToolButton::SB_Read), Qt::LeftButton);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QVERIFY(!rig.window->close());
    QVERIFY(rig.window->isVisible());
    QCOMPARE(rig.LogLines().last(),
             QStringLiteral(" The program closes when the programmer has finished the aborted "
                            "operation"));
    rig.gate.Open();
    QTRY_VERIFY(!rig.window->isVisible());
    QVERIFY(!rig.window->Presenter().Engine()->Busy());
}

// An 8051 whose signature does not match: the chip-ID box comes up over the
// progress window, modal, while the worker waits; Ignore goes on with the
// Read, Escape aborts it. The captions follow the Program's steps.
void ProgressWindowTest::chipIdBoxOverTheProgressWindow() {
    test::ScratchProgramDir dir;
    dir.Write("KARVO_m.usb", {{"Atmel", {test::At89S52()}}});
    ManualClock clock;
    VirtualProgrammer programmer({}, clock);
    VirtualBackend usb(programmer);
    MemorySettingsStore store;
    test::RecordingSounds sounds;
    NoFirmwareUpdate update;
    TfrmMains window(MainWindowPorts{sounds, store, usb, clock, update, MakeCommandWindows, nullptr,
                                     nullptr, &programmer});
    window.show();
    test::PickDevice pick(SelectionModel::kMicro, 0, 0);
    test::WhenModal<QDialog>([](QDialog* notice) { notice->accept(); });  // the ISP notice
    SelectCommand(window.Presenter().Session()).Run(pick);
    programmer.WithSocket([](std::optional<ChipModel>& chip) {
        chip->signature = {0x1E, 0x51, 0xFF};
        return 0;
    });
    auto lines = [&window] { return window.findChild<LogView*>("Memo1")->Lines(); };

    for (const bool ignore : {true, false}) {
        bool overProgress = false;
        bool modal = false;
        QString text;
        test::WhenModal<QMessageBox>([&](QMessageBox* box) {
            overProgress = qobject_cast<TProgressForm*>(box->parentWidget()) != nullptr;
            modal = box->isModal();
            text = box->text();
            if (ignore) {
                box->button(QMessageBox::Ignore)->click();
            } else {
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        QTest::mouseClick(window.Button(ToolButton::SB_Read), Qt::LeftButton);
        QTRY_VERIFY(window.Button(ToolButton::SB_Read)->isEnabled());
        QVERIFY(overProgress);
        QVERIFY(modal);
        QCOMPARE(text, QStringLiteral("ID: 30=0x1E 31=0x51 32=0xFF "));
        QCOMPARE(lines().contains(QStringLiteral(" Read Completed")), ignore);
        window.Presenter().ClearMessages();
    }

    programmer.WithSocket([](std::optional<ChipModel>& chip) {
        chip->signature = {0x1E, 0x52, 0x06};
        return 0;
    });
    window.Presenter().State().settings.flags.ProgBits = 0x41;
    CaptionRecorder recorder;
    qApp->installEventFilter(&recorder);
    QTest::mouseClick(window.Button(ToolButton::SB_Prog), Qt::LeftButton);
    QTRY_VERIFY(window.Button(ToolButton::SB_Prog)->isEnabled());
    qApp->removeEventFilter(&recorder);
    QVERIFY2(recorder.captions.contains(QStringLiteral("Erase")),
             qPrintable(recorder.captions.join('|')));
    QVERIFY(recorder.captions.contains(QStringLiteral("Program")));
    QVERIFY(recorder.captions.contains(QStringLiteral("Verify")));
    QVERIFY(lines().contains(QStringLiteral(" Code Area Verified OK")));
}

QTEST_MAIN(ProgressWindowTest)
#include "ProgressWindowTest.moc"
