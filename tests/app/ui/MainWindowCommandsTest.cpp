// The program as a user drives it: the toolbar's Select, Options and Read
// through their real windows, on the catalogue the build made.
#include <filesystem>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/ui/LogView.h"
#include "app/ui/TfrmMains.h"
#include "catalogue/DataFileNames.h"
#include "catalogue/ui/TfrmIsp.h"
#include "catalogue/ui/TfrmSelectDevice.h"
#include "gui/CommandWindows.h"
#include "operations/ui/TProgressForm.h"
#include "settings/ui/TfrmOption.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;

namespace {

struct ProgramRig {
    ProgramRig() : programmer({}, clock), usb(programmer) {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(KARVO_BIN_DIR);
        programmer.LearnChipTypes(ChipTypes::FromDataFiles({kEpromFileName, kMicroFileName}));
        window = std::make_unique<TfrmMains>(
            MainWindowPorts{sounds, store, usb, clock, update, MakeCommandWindows, &prompts});
        window->show();
    }
    ~ProgramRig() {
        window.reset();
        std::filesystem::current_path(previous);
    }
    ProgramRig(const ProgramRig&) = delete;
    ProgramRig& operator=(const ProgramRig&) = delete;

    QStringList LogLines() const { return window->findChild<LogView*>("Memo1")->Lines(); }
    QString Label(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    void Press(ToolButton button) const {
        QTest::mouseClick(window->Button(button), Qt::LeftButton);
    }

    // Chooses family, manufacturer and device in the selection dialog as a
    // user would, then presses OK.
    static void Choose(TfrmSelectDevice* dialog, int family, const QString& maker,
                       const QString& device) {
        test::ClickIndicator(
            dialog->findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(family + 1)));
        ClickText(dialog->Manufacturers(), maker);
        ClickText(dialog->Devices(), device);
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    }
    static void ClickText(QListWidget* list, const QString& text) {
        const auto found = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(text));
        list->scrollToItem(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
    }

    std::filesystem::path previous;
    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    MemorySettingsStore store;
    test::RecordingSounds sounds;
    test::RecordingPrompts prompts;
    NoFirmwareUpdate update;
    std::unique_ptr<TfrmMains> window;
};

}  // namespace

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void selectAndReadAnEprom_data();
    void selectAndReadAnEprom();
    void selectingAMicroShowsTheWiring();
    void cancelKeepsTheDevice();
};

void MainWindowCommandsTest::selectAndReadAnEprom_data() {
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("size");
    QTest::newRow("32 KiB") << "AT27C256R"
                            << "0x8000";
    QTest::newRow("1 MiB") << "AT27C080"
                           << "0x100000";
}

void MainWindowCommandsTest::selectAndReadAnEprom() {
    QFETCH(QString, device);
    QFETCH(QString, size);
    ProgramRig rig;
    test::WhenModal<TfrmSelectDevice>(
        [device](TfrmSelectDevice* dialog) { ProgramRig::Choose(dialog, 1, "Atmel", device); });
    rig.Press(ToolButton::SB_Select);
    QCOMPARE(rig.LogLines().first(), " Selected : Atmel  " + device);
    QCOMPARE(rig.Label("ManuL"), QStringLiteral("Atmel"));
    QCOMPARE(rig.Label("DevL"), device);
    QCOMPARE(rig.Label("SizeL"), size);
    QVERIFY(rig.prompts.boxes.empty());
    QTRY_VERIFY(rig.window->Button(ToolButton::SB_Read)->isEnabled());

    const std::uint32_t last = size.toUInt(nullptr, 16) - 1;
    rig.programmer.WithSocket(
        [last](std::optional<ChipModel>& chip) { chip->Area('e')->bytes[last] = 0x42; });
    rig.Press(ToolButton::SB_Read);
    const QStringList log = rig.LogLines();
    QCOMPARE(log.mid(log.size() - 3, 2), (QStringList{"", " Read Completed"}));
    QVERIFY2(QRegularExpression(QStringLiteral("^ \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d$"))
                 .match(log.last())
                 .hasMatch(),
             qPrintable(log.last()));
    QCOMPARE(rig.window->Presenter().Buffer()[last], 0x42);
    QCOMPARE(rig.sounds.played.back(), std::string("chimes.wav"));
    for (const ToolButton button : {ToolButton::SB_Select, ToolButton::SB_Read,
                                    ToolButton::SB_Blank, ToolButton::SB_Option}) {
        QTRY_VERIFY(rig.window->Button(button)->isEnabled());
    }
    QVERIFY(rig.window->findChildren<TProgressForm*>().isEmpty());

    // The Options of an EPROM: general options only.
    bool programmingShown = true;
    test::WhenModal<TfrmOption>([&](TfrmOption* dialog) {
        programmingShown = dialog->findChild<QGroupBox*>("GroupBox3")->isVisible();
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn3"), Qt::LeftButton);
    });
    rig.Press(ToolButton::SB_Option);
    QVERIFY(!programmingShown);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void MainWindowCommandsTest::selectingAMicroShowsTheWiring() {
    ProgramRig rig;
    bool noticeShown = false;
    test::WhenModal<TfrmSelectDevice>([&](TfrmSelectDevice* dialog) {
        test::WhenModal<TfrmIsp>([&](TfrmIsp* notice) {
            noticeShown = notice->windowTitle() == "ATMEL_ISP";
            QTest::mouseClick(notice->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        ProgramRig::Choose(dialog, 3, "Atmel", "AT89S52");
    });
    rig.Press(ToolButton::SB_Select);
    QVERIFY(noticeShown);
    QCOMPARE(rig.Label("DevL"), QStringLiteral("AT89S52"));
    QVERIFY(rig.LogLines().contains(
        " ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***"));

    QStringList steps;
    test::WhenModal<TfrmOption>([&](TfrmOption* dialog) {
        for (QCheckBox* box :
             dialog->findChild<QGroupBox*>("GroupBox3")->findChildren<QCheckBox*>()) {
            if (box->isVisible()) steps << box->text();
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    rig.Press(ToolButton::SB_Option);
    QVERIFY(steps.contains("Code Mem"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void MainWindowCommandsTest::cancelKeepsTheDevice() {
    ProgramRig rig;
    test::WhenModal<TfrmSelectDevice>(
        [](TfrmSelectDevice* dialog) { ProgramRig::Choose(dialog, 1, "AMD", "Am27C256"); });
    rig.Press(ToolButton::SB_Select);
    QCOMPARE(rig.Label("DevL"), QStringLiteral("Am27C256"));
    test::WhenModal<TfrmSelectDevice>([](TfrmSelectDevice* dialog) {
        // Opens on the device chosen before.
        QCOMPARE(dialog->Devices()->currentItem()->text(), QStringLiteral("Am27C256"));
        ProgramRig::ClickText(dialog->Manufacturers(), "Intel");
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
    });
    rig.Press(ToolButton::SB_Select);
    QCOMPARE(rig.Label("DevL"), QStringLiteral("Am27C256"));
    QVERIFY(rig.window->Presenter().DeviceActive());
}

QTEST_MAIN(MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
