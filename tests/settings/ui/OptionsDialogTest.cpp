// The Options dialog over its model: which boxes it shows for a device, and
// that every click reaches the flags and shows the rules' consequences.
#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include "settings/ui/OptionsWindow.h"
#include "settings/ui/TfrmOption.h"
#include "support/Devices.h"
#include "support/ModalDialogs.h"

using namespace karvo;
using namespace karvo::ui;
using karvo::test::DeviceBuilder;

namespace {

DeviceRecord Device(char family, std::uint8_t stepCaps, std::uint8_t optionCaps = 0x0D,
                    std::uint8_t algorithm = 14) {
    return DeviceBuilder(family, 0xFFF)
        .Algorithm(algorithm)
        .U8(DeviceRecord::kStepCaps, stepCaps)
        .U8(DeviceRecord::kOptionCaps, optionCaps);
}

struct OptionsRig {
    explicit OptionsRig(DeviceRecord d, std::uint8_t progBits = 0) : device(std::move(d)) {
        flags.ProgBits = progBits;
        owner.setGeometry(4, 30, 790, 534);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSize(10);
        owner.setFont(font);
        QPalette palette = owner.palette();
        palette.setColor(QPalette::Window, QColor(0xD4, 0xD6, 0xD9));
        owner.setPalette(palette);
        owner.show();
        model = std::make_unique<OptionsModel>(device, flags, soundOn);
        model->Prepare();
    }

    TfrmOption& Open() {
        dialog = std::make_unique<TfrmOption>(*model, &owner);
        dialog->show();
        return *dialog;
    }
    QCheckBox* Box(const QString& name) const { return dialog->findChild<QCheckBox*>(name); }
    QGroupBox* Group(const QString& name) const { return dialog->findChild<QGroupBox*>(name); }
    void Click(const QString& name) const { test::ClickIndicator(Box(name)); }
    // Which of the step boxes are checked, by name, in bit order.
    QStringList CheckedSteps() const {
        QStringList names;
        for (int step : {1, 2, 3, 4, 5, 6, 0}) {
            const QString name = QStringLiteral("ProgStep%1").arg(step);
            if (Box(name)->isChecked()) names << name;
        }
        return names;
    }

    DeviceRecord device;
    OptionFlags flags;
    bool soundOn = true;
    QWidget owner;
    std::unique_ptr<OptionsModel> model;
    std::unique_ptr<TfrmOption> dialog;
};

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void looksAsGiven();
    void generalCaptions_data();
    void generalCaptions();
    void ampersandIsShownOnce();
    void microOpensWithCumulativeLockBits();
    void uncheckingLockBit1ClearsTheHigherOnes();
    void picCodeAndIdGoTogether();
    void programmingGroup_data();
    void programmingGroup();
    void unsupportedInsertionTestEndsFalse();
    void soundFollowsItsBox();
    void closesWith_data();
    void closesWith();
};

void OptionsDialogTest::looksAsGiven() {
    OptionsRig rig(Device('M', 0x0F));
    TfrmOption& dialog = rig.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    // Only a close box.
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(rig.Group("GroupBox1")->title(), QStringLiteral(" General Options "));
    QCOMPARE(rig.Group("GroupBox3")->title(), QStringLiteral(" Programming Options "));
    QCOMPARE(dialog.findChild<QPushButton*>("BitBtn3")->text(), QStringLiteral("OK"));
    // The main window's font and colour.
    QCOMPARE(rig.Group("GroupBox1")->font().family(), rig.owner.font().family());
    QCOMPARE(dialog.findChild<QPushButton*>("BitBtn3")->font().family(), rig.owner.font().family());
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(0xD4, 0xD6, 0xD9));
    QCOMPARE(rig.Group("GroupBox3")->palette().color(QPalette::Window), QColor(0xD4, 0xD6, 0xD9));
    for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                             "CheckBox6", "CheckBox8", "OddEvenBox", "ChSoundON"}) {
        QCOMPARE(rig.Box(name)->parentWidget(), rig.Group("GroupBox1"));
    }
    for (int step = 0; step <= 6; ++step) {
        QCOMPARE(rig.Box(QStringLiteral("ProgStep%1").arg(step))->parentWidget(),
                 rig.Group("GroupBox3"));
    }
}

void OptionsDialogTest::generalCaptions_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");  // OptionCaps 0xBF offers all but bit 6
    QTest::newRow("CheckBox1") << "Insertion Test" << true;
    QTest::newRow("CheckBox2") << "Bit Testing" << true;
    QTest::newRow("CheckBox3") << "ID Check" << true;
    QTest::newRow("CheckBox4") << "Verify @ Vmax and Vmin" << true;
    QTest::newRow("CheckBox5") << "Memory Fill on Device Change" << true;
    QTest::newRow("CheckBox6") << "Production Mode" << true;
    QTest::newRow("CheckBox8") << "Serial Number Insertion" << true;
    QTest::newRow("OddEvenBox") << "Odd && Even programming" << false;
    QTest::newRow("ChSoundON") << "Sound ON" << true;
}

void OptionsDialogTest::generalCaptions() {
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    OptionsRig rig(Device('E', 0, 0xBF));
    rig.Open();
    QCheckBox* box = rig.Box(QTest::currentDataTag());
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(), caption);
    QCOMPARE(box->isEnabled(), enabled);
    QVERIFY(box->isVisible());
}

void OptionsDialogTest::ampersandIsShownOnce() {
    OptionsRig rig(Device('M', 0x0F));
    rig.Open();
    QCheckBox* box = rig.Box("OddEvenBox");
    // What the user reads (and a screen reader says) has one '&'.
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(box);
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->text(QAccessible::Name), QStringLiteral("Odd & Even programming"));
    QVERIFY(!box->isEnabled());
    QVERIFY(!box->isChecked());
}

void OptionsDialogTest::microOpensWithCumulativeLockBits() {
    OptionsRig rig(Device('M', 0x0F), 0x05);
    rig.Open();
    QVERIFY(rig.Group("GroupBox3")->isVisible());
    QCOMPARE(rig.Box("ProgStep1")->text(), QStringLiteral("Code Mem"));
    QCOMPARE(rig.Box("ProgStep2")->text(), QStringLiteral("Lockbit 1"));
    QCOMPARE(rig.Box("ProgStep3")->text(), QStringLiteral("Lockbit 2"));
    QCOMPARE(rig.Box("ProgStep4")->text(), QStringLiteral("Lockbit 3"));
    QCOMPARE(rig.CheckedSteps(), (QStringList{"ProgStep1", "ProgStep2", "ProgStep3"}));
    QCOMPARE(rig.flags.ProgBits, std::uint8_t{0x07});
    for (const char* hidden : {"ProgStep5", "ProgStep6", "ProgStep0"}) {
        QVERIFY2(rig.Box(hidden)->isHidden(), hidden);
    }
}

void OptionsDialogTest::uncheckingLockBit1ClearsTheHigherOnes() {
    OptionsRig rig(Device('M', 0x0F), 0x0F);
    rig.Open();
    QCOMPARE(rig.CheckedSteps(), (QStringList{"ProgStep1", "ProgStep2", "ProgStep3", "ProgStep4"}));
    rig.Click("ProgStep2");
    QCOMPARE(rig.flags.ProgBits, std::uint8_t{0x01});
    QCOMPARE(rig.CheckedSteps(), QStringList{"ProgStep1"});
    // And the other way: lock bit 3 pulls in the two below it.
    rig.Click("ProgStep4");
    QCOMPARE(rig.flags.ProgBits, std::uint8_t{0x0F});
    QCOMPARE(rig.CheckedSteps(), (QStringList{"ProgStep1", "ProgStep2", "ProgStep3", "ProgStep4"}));
}

void OptionsDialogTest::picCodeAndIdGoTogether() {
    OptionsRig rig(Device('C', 0x15, 0x0D, 0), 0x17);
    rig.Open();
    QCOMPARE(rig.Box("ProgStep1")->text(), QStringLiteral("Code Area"));
    QCOMPARE(rig.Box("ProgStep3")->text(), QStringLiteral("ID Bytes"));
    QCOMPARE(rig.Box("ProgStep5")->text(), QStringLiteral("Config Bytes"));
    QVERIFY(rig.Box("ProgStep2")->isVisible());
    QVERIFY(!rig.Box("ProgStep2")->isEnabled());
    rig.Click("ProgStep1");
    QVERIFY(!rig.Box("ProgStep3")->isChecked());
    QCOMPARE(rig.flags.ProgBits & 0x05, 0);
    rig.Click("ProgStep3");
    QVERIFY(rig.Box("ProgStep1")->isChecked());
    QCOMPARE(rig.flags.ProgBits & 0x05, 0x05);
}

void OptionsDialogTest::programmingGroup_data() {
    QTest::addColumn<char>("family");
    QTest::addColumn<int>("stepCaps");
    QTest::addColumn<bool>("shown");
    QTest::newRow("EPROM") << 'E' << 0x0F << false;
    QTest::newRow("8051 without steps") << 'M' << 0x00 << false;
    QTest::newRow("8051 with lock bits") << 'M' << 0x0F << true;
    QTest::newRow("PIC") << 'C' << 0x55 << true;
}

void OptionsDialogTest::programmingGroup() {
    QFETCH(char, family);
    QFETCH(int, stepCaps);
    QFETCH(bool, shown);
    OptionsRig rig(Device(family, static_cast<std::uint8_t>(stepCaps)));
    TfrmOption& dialog = rig.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(rig.Group("GroupBox3")->isVisible(), shown);
    QCOMPARE(rig.Group("GroupBox3")->isEnabled(), shown);
    // The dialog fits what it shows.
    QCOMPARE(dialog.width() > rig.Group("GroupBox1")->width() * 3 / 2, shown);
}

void OptionsDialogTest::unsupportedInsertionTestEndsFalse() {
    OptionsRig rig(Device('M', 0x01, 0x0C));
    rig.flags.Test_flag = true;
    rig.model = std::make_unique<OptionsModel>(rig.device, rig.flags, rig.soundOn);
    rig.model->Prepare();
    OptionsWindow window(&rig.owner);
    bool disabled = false;
    bool unchecked = false;
    bool centred = false;
    test::WhenModal<TfrmOption>([&](TfrmOption* dialog) {
        disabled = !dialog->Box(OptionsModel::kInsertionTest)->isEnabled();
        unchecked = !dialog->Box(OptionsModel::kInsertionTest)->isChecked();
        centred =
            (test::FrameCentre(dialog) - test::FrameCentre(&rig.owner)).manhattanLength() <= 2;
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn3"), Qt::LeftButton);
    });
    window.Run(*rig.model);
    QVERIFY(disabled);
    QVERIFY(unchecked);
    QVERIFY(centred);
    QVERIFY(!rig.flags.Test_flag);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void OptionsDialogTest::soundFollowsItsBox() {
    OptionsRig rig(Device('E', 0, 0x0F));
    rig.Open();
    QVERIFY(rig.Box("ChSoundON")->isChecked());
    rig.Click("ChSoundON");
    QVERIFY(!rig.soundOn);
    QVERIFY(!rig.Box("ChSoundON")->isChecked());
    rig.Click("ChSoundON");
    QVERIFY(rig.soundOn);
    // A box without a rule changes no flag.
    const OptionFlags before = rig.flags;
    rig.Click("CheckBox2");
    QCOMPARE(rig.flags.ProgBits, before.ProgBits);
    QCOMPARE(rig.flags.Test_flag, before.Test_flag);
    QCOMPARE(rig.flags.Id_flag, before.Id_flag);
    QCOMPARE(rig.flags.MaxMin_flag, before.MaxMin_flag);
    QVERIFY(rig.soundOn);
}

void OptionsDialogTest::closesWith_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << "ok";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close";
}

void OptionsDialogTest::closesWith() {
    QFETCH(QString, how);
    OptionsRig rig(Device('M', 0x0F), 0x01);
    OptionsWindow window(&rig.owner);
    test::WhenModal<TfrmOption>([&](TfrmOption* dialog) {
        test::ClickIndicator(dialog->Box(OptionsModel::kProgStep3));
        if (how == "ok")
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn3"), Qt::LeftButton);
        if (how == "enter") QTest::keyClick(dialog, Qt::Key_Return);
        if (how == "escape") QTest::keyClick(dialog, Qt::Key_Escape);
        if (how == "close") dialog->close();
    });
    window.Run(*rig.model);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // No cancel: the click took effect however the dialog was left.
    QCOMPARE(rig.flags.ProgBits, std::uint8_t{0x07});
}

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
