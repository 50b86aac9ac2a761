// The configuration dialogs over their model, offscreen: a part of every
// page of both dialogs with its tabs, shown controls and labels; clicks and
// typing that reach the buffer or the state and show at once; the ID group
// by tab; and the Config button of the whole program. With KARVO_SHOTS_DIR
// set, each part's dialog is saved there as a picture, one per tab.
#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/ui/TfrmMains.h"
#include "catalogue/DataFileNames.h"
#include "catalogue/ui/TfrmSelectDevice.h"
#include "config/ConfigRig.h"
#include "config/ui/ConfigPageView.h"
#include "config/ui/TfrmConfig.h"
#include "config/ui/TfrmPicConfig.h"
#include "gui/CommandWindows.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;
using karvo::test::ConfigRig;

namespace {

// The dialog of a part's family over a fresh model: TfrmPicConfig for family
// 'C', TfrmConfig for the others.
struct AnyDialogRig {
    explicit AnyDialogRig(const DeviceRecord& part) : data(part) {
        data.Open();
        if (data.model.Which() == config::Dialog::Pic) {
            dialog = std::make_unique<TfrmPicConfig>(data.model, nullptr);
        } else {
            dialog = std::make_unique<TfrmConfig>(data.model, nullptr);
        }
        dialog->show();
    }
    template <typename T>
    T* Find(const QString& name) const {
        return dialog->findChild<T*>(name);
    }
    QRadioButton* Item(const QString& group, int item) const {
        return Find<QRadioButton>(QStringLiteral("%1_%2").arg(group).arg(item));
    }

    mutable ConfigRig data;
    std::unique_ptr<ConfigDialog> dialog;
};

struct DialogRig {
    explicit DialogRig(const std::string& part) : data(ConfigRig::Shipped(part)) {
        data.Open();
        dialog = std::make_unique<TfrmPicConfig>(data.model, nullptr);
        dialog->show();
    }
    template <typename T>
    T* Find(const QString& name) const {
        return dialog->findChild<T*>(name);
    }
    QRadioButton* Item(const QString& group, int item) const {
        return Find<QRadioButton>(QStringLiteral("%1_%2").arg(group).arg(item));
    }
    void Type(const QString& edit, const QString& text) const {
        auto* field = Find<QLineEdit>(edit);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    mutable ConfigRig data;
    std::unique_ptr<TfrmPicConfig> dialog;
};

QString Shots() {
    return qEnvironmentVariable("KARVO_SHOTS_DIR");
}

// A part of Page208, which no catalogue chip has.
DeviceRecord SecurityRegisterPart() {
    return test::DeviceBuilder('M', 0x1FFF, "AT89C51RE2")
        .Algorithm(14)
        .Ids(0x1E, 0xE0, 0x06)
        .ConfigType(micro::kConfigTypeSecurityRegister);
}

DeviceRecord PartNamed(const QString& part) {
    if (part == QStringLiteral("AT89C51RE2")) return SecurityRegisterPart();
    return ConfigRig::Shipped(part.toStdString());
}

// Every tab shows what the model says, fits its page and is saved when
// KARVO_SHOTS_DIR asks for pictures.
void CompareWithModel(AnyDialogRig& rig, const QString& part, const QStringList& tabs) {
    QCOMPARE(rig.dialog->windowTitle(), QStringLiteral("ID / Configuration"));
    QTabWidget* tabsWidget = rig.dialog->PageControl();
    QStringList shown;
    for (int i = 0; i < tabsWidget->count(); ++i) shown << tabsWidget->tabText(i);
    QCOMPARE(shown, tabs);
    const auto& pages = rig.data.model.Pages();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        tabsWidget->setCurrentIndex(static_cast<int>(p));
        ConfigPageView* view = rig.dialog->PageView(static_cast<int>(p));
        for (const auto& c : pages[p].controls) {
            const QString name =
                QString::fromUtf8(c.Name().data(), static_cast<int>(c.Name().size()));
            QWidget* widget = view->findChild<QWidget*>(name);
            QVERIFY2(widget != nullptr, qPrintable(name));
            // Combo boxes and edit fields stand in a frame with their caption.
            QWidget* outer = qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget)
                                 ? widget->parentWidget()
                                 : widget;
            QVERIFY2(outer->isVisible() == c.visible, qPrintable(name));
            if (!c.visible) continue;
            QVERIFY2(outer->isEnabled() == c.enabled, qPrintable(name));
            if (auto* check = qobject_cast<QCheckBox*>(widget)) {
                QCOMPARE(check->text(), QString::fromStdString(c.caption));
                QCOMPARE(check->isChecked(), c.value == 1);
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                QCOMPARE(group->title(), QString::fromStdString(c.caption));
                for (std::size_t i = 0; i < c.items.size(); ++i) {
                    QRadioButton* item = rig.Item(name, static_cast<int>(i));
                    QVERIFY(item != nullptr);
                    QCOMPARE(item->text(), QString::fromStdString(c.items[i]));
                    QCOMPARE(item->isChecked(), c.value == static_cast<int>(i));
                    QCOMPARE(item->isEnabledTo(group), c.Offered(static_cast<int>(i)));
                }
            } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                QCOMPARE(combo->count(), static_cast<int>(c.items.size()));
                QCOMPARE(combo->currentIndex(), c.value);
            } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
                QCOMPARE(edit->text(), QString::fromStdString(c.text));
            }
        }
        for (const auto& label : pages[p].labels) {
            auto* shownLabel = view->findChild<QLabel*>(QString::fromStdString(label.name));
            QVERIFY(shownLabel != nullptr);
            QCOMPARE(shownLabel->text(), QString::fromStdString(label.text));
            QVERIFY(shownLabel->isVisible());
        }
        // Nothing is cut off: every shown control fits its page and has the
        // room its text asks for.
        for (QWidget* child : view->findChildren<QWidget*>()) {
            if (!child->isVisible()) continue;
            if (child->parentWidget() == view) {
                QVERIFY2(view->rect().contains(child->geometry()), qPrintable(child->objectName()));
            }
            if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QGroupBox*>(child) ||
                qobject_cast<QComboBox*>(child)) {
                QVERIFY2(child->width() >= child->minimumSizeHint().width(),
                         qPrintable(child->objectName()));
            }
        }
        if (!Shots().isEmpty()) {
            QDir().mkpath(Shots());
            QString file = part;
            file.replace(QLatin1Char('/'), QLatin1Char('_'));
            rig.dialog->grab().save(
                QStringLiteral("%1/config-%2-%3.png").arg(Shots(), file).arg(p));
        }
    }
}

}  // namespace

class ConfigDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void everyPageShowsWhatItsModelSays_data();
    void everyPageShowsWhatItsModelSays();
    void aClickWritesAndEveryLabelFollows();
    void checkBoxCaptionFollowsItsState();
    void idFieldsStoreAndRefuse();
    void theIdGroupStaysWithTheFirstTab();
    void aPartWithoutAPageShowsTheIdGroupAlone();
    void configFromTheMainWindowRecomputesTheChecksum();
    void fuseBoxesWriteTheStateAndTheLabelsFollow();
    void calibrationGroupEnablesWithProgramAt();
    void lockListsWriteTheirChoice();
    void reservedOscillatorItemCannotBeChosen();
    void pic18IdBytesStayWithTheFirstTab();
};

void ConfigDialogTest::everyPageShowsWhatItsModelSays_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<QStringList>("tabs");
    const std::pair<const char*, QStringList> parts[] = {
        {"16C52", {"16C52"}},
        {"16C61", {"16C61"}},
        {"16C62", {"16C62"}},
        {"16C62B", {"16C62B"}},
        {"16F767", {"16F767", "Page 2"}},
        {"10F222", {"10F222"}},
        {"12C671", {"12C671"}},
        {"14000", {"14000"}},
        {"16C710", {"16C710"}},
        {"16F84A", {"16F84A"}},
        {"16F886", {"16F886", "Page2"}},
        {"16C558", {"16C558"}},
        {"12F510", {"12F510"}},
        {"16F913", {"16F913"}},
        {"16C715", {"16C715"}},
        {"16C54C", {"16C54C"}},
        {"16C505", {"16C505"}},
        {"16F877", {"16F877"}},
        {"16C773", {"16C773"}},
        {"16F628", {"16F628"}},
        {"16F73", {"16F73"}},
        {"16C745", {"16C745"}},
        {"16F877A", {"16F877A"}},
        {"16F628A", {"16F628A"}},
        {"12F675", {"12F675"}},
        {"16F88", {"16F88", "Page 2"}},
        {"18F452", {"18F452", " Page 2", " Page 3"}},
        {"18F242", {"18F242", " Page 2", " Page 3"}},
        {"18F458", {"18F458", " Page 2", " Page 3"}},
        {"18F4320", {"18F4320", " Page 2", " Page 3"}},
        {"18F4220", {"18F4220", " Page 2", " Page 3"}},
        {"18F1320", {"18F1320", " Page 2", " Page 3"}},
        {"18F4431", {"18F4431", " Page 2", " Page 3"}},
        {"18F4550", {"18F4550", " Page 2", " Page 3", " Page 4"}},
        {"18F2455", {"18F2455", " Page 2", " Page 3", " Page 4"}},
        {"18F4520", {"18F4520", " Page 2", " Page 3", " Page 4"}},
        {"18F4580", {"18F4580", " Page 2", " Page 3", " Page 4"}},
        {"18F4450", {"18F4450", " Page 2", " Page 3", " Page 4"}},
        {"18F4680", {"18F4680", " Page 2", " Page 3", " Page 4"}},
        {"18F4685", {"18F4685", " Page 2", " Page 3", " Page 4"}},
        {"18F25K50", {"18F25K50", " Page 2", " Page 3", " Page 4", " Page 5"}},
        {"18F24K50", {"18F24K50", " Page 2", " Page 3", " Page 4", " Page 5"}},
        {"18LF25K50", {"18LF25K50", " Page 2", " Page 3", " Page 4", " Page 5"}},
        {"16F1938", {"16F1938", "Page2"}},
        {"16LF1938", {"16LF1938", "Page2"}},
        {"16F1827", {"16F1827", "Page2"}},
        {"16F1459", {"16F1459", "Page2"}},
        {"16F1509", {"16F1509", "Page2"}},
        {"25LC640", {"25LC640"}},
        {"25LC040A", {"25LC040A"}},
        {"W25X40", {"W25X40"}},
        {"SST25VF080B", {"SST25VF080B"}},
        {"AT28C256", {"AT28C256"}},
        {"ATtiny11", {"ATtiny11"}},
        {"ATtiny12", {"ATtiny12"}},
        {"AT90S2313", {"AT90S2313"}},
        {"AT90S8515", {"AT90S8515"}},
        {"ATtiny26", {"ATtiny26"}},
        {"ATmega8", {"ATmega8", "Page 2"}},
        {"ATmega16", {"ATmega16", "Page 2"}},
        {"ATmega88/V", {"ATmega88/V"}},
        {"ATmega48/V", {"ATmega48/V"}},
        {"ATmega328P", {"ATmega328P"}},
        {"AT89S8253", {"AT89S8253"}},
        {"AT89LP2052", {"AT89LP2052"}},
        {"ATmega162", {"ATmega162"}},
        {"AT89C51RE2", {""}},
        {"ATtiny85", {"ATtiny85"}},
        {"ATtiny2313", {"ATtiny2313"}},
        {"AT89S2051", {"AT89S2051"}},
    };
    for (const auto& [part, tabs] : parts) QTest::newRow(part) << QString::fromLatin1(part) << tabs;
}

void ConfigDialogTest::everyPageShowsWhatItsModelSays() {
    QFETCH(QString, part);
    QFETCH(QStringList, tabs);
    AnyDialogRig rig(PartNamed(part));
    CompareWithModel(rig, part, tabs);
}

void ConfigDialogTest::aClickWritesAndEveryLabelFollows() {
    DialogRig rig("16F84A");
    rig.data.PutWord(1, 0x3FFF);
    rig.dialog.reset();
    rig.data.Open();
    rig.dialog = std::make_unique<TfrmPicConfig>(rig.data.model, nullptr);
    rig.dialog->show();
    test::ClickIndicator(rig.Item("RG9_Prot", 0));
    QCOMPARE(rig.data.Word(1), 0x000F);
    QCOMPARE(rig.Find<QLabel>("Label13")->text(), QStringLiteral("00"));
    QCOMPARE(rig.Find<QLabel>("Label14")->text(), QStringLiteral("0F"));
    test::ClickIndicator(rig.Item("RG9_Osc", 2));
    QCOMPARE(rig.data.Word(1), 0x000E);
    test::ClickIndicator(rig.Find<QCheckBox>("CB9_Pwt"));
    QCOMPARE(rig.data.Word(1), 0x0006);
    QVERIFY(!rig.Find<QCheckBox>("CB9_Pwt")->isChecked());
}

void ConfigDialogTest::checkBoxCaptionFollowsItsState() {
    DialogRig rig("10F222");
    auto* mclr = rig.Find<QCheckBox>("CB5_Mcl");
    QCOMPARE(mclr->text(), QStringLiteral("MCLR"));
    test::ClickIndicator(mclr);
    QCOMPARE(mclr->text(), QStringLiteral("RB3"));
    QVERIFY(!mclr->isChecked());
}

void ConfigDialogTest::idFieldsStoreAndRefuse() {
    DialogRig rig("16F84A");
    rig.Type("ID_0", "1");
    QCOMPARE(rig.data.buffer[0x4001], 0x81);
    rig.Type("ID1", "7f");
    QCOMPARE(rig.data.buffer[0x4003], 0xFF);
    // More than the chip keeps is not taken at all.
    rig.Type("ID2", "80");
    QCOMPARE(rig.Find<QLineEdit>("ID2")->text(), QStringLiteral("8"));
    QCOMPARE(rig.data.buffer[0x4005], 0x88);
    QString box;
    test::WhenModal<QMessageBox>([&box](QMessageBox* message) {
        box = message->windowTitle() + ": " + message->text();
        message->accept();
    });
    rig.Type("ID3", "G");
    QCOMPARE(box, QStringLiteral("KARVO Mk2: ''$G'' is not a valid integer value"));
    QCOMPARE(rig.data.buffer[0x4007], 0xFF);
}

void ConfigDialogTest::theIdGroupStaysWithTheFirstTab() {
    DialogRig rig("16F88");
    QGroupBox* ids = rig.dialog->IdGroup();
    QVERIFY(ids != nullptr);
    QCOMPARE(ids->objectName(), QStringLiteral("GB_ID"));
    QVERIFY(ids->isVisible());
    QCOMPARE(ids->parentWidget(), rig.dialog->PageView(0));
    rig.dialog->PageControl()->setCurrentIndex(1);
    QVERIFY(!ids->isVisible());
    rig.dialog->PageControl()->setCurrentIndex(0);
    QVERIFY(ids->isVisible());
}

void ConfigDialogTest::aPartWithoutAPageShowsTheIdGroupAlone() {
    DialogRig pic17("17C43");
    QVERIFY(!pic17.dialog->PageControl()->isVisible());
    QVERIFY(pic17.dialog->IdGroup() == nullptr);
    DialogRig pic18("18F14K50");
    QVERIFY(pic18.dialog->IdGroup() != nullptr);
    QCOMPARE(pic18.dialog->IdGroup()->objectName(), QStringLiteral("GB_18F"));
    QVERIFY(pic18.dialog->IdGroup()->isVisible());
    QVERIFY(pic18.Find<QLineEdit>("ID277") != nullptr);
}

void ConfigDialogTest::configFromTheMainWindowRecomputesTheChecksum() {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KARVO_BIN_DIR);
    ManualClock clock;
    VirtualProgrammer programmer({}, clock);
    programmer.LearnChipTypes(ChipTypes::FromDataFiles({kEpromFileName, kMicroFileName}));
    VirtualBackend usb(programmer);
    MemorySettingsStore store;
    test::RecordingSounds sounds;
    test::RecordingPrompts prompts;
    NoFirmwareUpdate update;
    {
        TfrmMains window(
            MainWindowPorts{sounds, store, usb, clock, update, MakeCommandWindows, &prompts});
        window.show();
        test::WhenModal<TfrmSelectDevice>([](TfrmSelectDevice* dialog) {
            test::ClickIndicator(dialog->findChild<QRadioButton*>("RadioButton4"));
            for (auto [list, text] : {std::pair{dialog->Manufacturers(), "Microchip"},
                                      std::pair{dialog->Devices(), "16F84A"}}) {
                const auto found = list->findItems(QString::fromLatin1(text), Qt::MatchExactly);
                if (found.size() != 1) {
                    dialog->reject();
                    return;
                }
                list->scrollToItem(found.first());
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(found.first()).center());
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        QTest::mouseClick(window.Button(ToolButton::SB_Select), Qt::LeftButton);
        QTRY_VERIFY(window.Button(ToolButton::SB_Config)->isEnabled());
        const QString before = window.findChild<QLabel*>("CheckL")->text();
        bool seen = false;
        test::WhenModal<TfrmPicConfig>([&seen](TfrmPicConfig* dialog) {
            seen = true;
            test::ClickIndicator(dialog->findChild<QRadioButton*>("RG9_Osc_0"));
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        });
        QTest::mouseClick(window.Button(ToolButton::SB_Config), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(window.Presenter().Buffer()[0x400F], 0xFC);
        const uint sum = before.toUInt(nullptr, 16);
        QCOMPARE(window.findChild<QLabel*>("CheckL")->text(),
                 QStringLiteral("%1").arg((sum - 3) & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper());
        window.close();
    }
    std::filesystem::current_path(previous);
}

void ConfigDialogTest::fuseBoxesWriteTheStateAndTheLabelsFollow() {
    AnyDialogRig rig(ConfigRig::Shipped("ATmega8"));
    QCOMPARE(rig.dialog->objectName(), QStringLiteral("frmConfig"));
    QCOMPARE(rig.Find<QLabel>("Label13")->text(), QStringLiteral("00"));
    test::ClickIndicator(rig.Find<QCheckBox>("CB204_Cksel0"));
    QCOMPARE(rig.data.bits.FuseLow, 0x01);
    QCOMPARE(rig.Find<QLabel>("Label13")->text(), QStringLiteral("01"));
    auto* bodlevel = rig.Find<QCheckBox>("CB204_Bodlevel");
    QCOMPARE(bodlevel->text(), QStringLiteral("BODLEVEL = 4.0V"));
    test::ClickIndicator(bodlevel);
    QCOMPARE(bodlevel->text(), QStringLiteral("BODLEVEL = 2.6V"));
    QCOMPARE(rig.Find<QLabel>("Label13")->text(), QStringLiteral("81"));
    rig.dialog->PageControl()->setCurrentIndex(1);
    test::ClickIndicator(rig.Item("RG204A_LB", 1));
    QCOMPARE(rig.data.bits.LockBits, 0x02);
}

void ConfigDialogTest::calibrationGroupEnablesWithProgramAt() {
    AnyDialogRig rig(ConfigRig::Shipped("ATtiny26"));
    QVERIFY(!rig.Item("RG203_Cal", 0)->isEnabled());
    auto* address = rig.Find<QLineEdit>("Edit203");
    QVERIFY(!address->isEnabled());
    QCOMPARE(address->text(), QStringLiteral("0000"));
    test::ClickIndicator(rig.Find<QCheckBox>("CB203_Prog"));
    QVERIFY(rig.data.bits.CalibProgram);
    QVERIFY(rig.Item("RG203_Cal", 2)->isEnabled());
    test::ClickIndicator(rig.Item("RG203_Cal", 2));
    QCOMPARE(rig.data.bits.CalibIndex, 3);
    address->setFocus();
    address->selectAll();
    QTest::keyClicks(address, "3f");
    QCOMPARE(rig.data.bits.CalibAddress, 0x3Fu);
    QCOMPARE(address->text(), QStringLiteral("3f"));
    test::ClickIndicator(rig.Find<QCheckBox>("CB203_Prog"));
    QVERIFY(!address->isEnabled());
    QCOMPARE(address->text(), QStringLiteral("003F"));
}

void ConfigDialogTest::lockListsWriteTheirChoice() {
    AnyDialogRig rig(ConfigRig::Shipped("ATmega88/V"));
    rig.data.bits.LockBits = 0xFF;
    rig.dialog.reset();
    rig.data.Open();
    rig.dialog = std::make_unique<TfrmConfig>(rig.data.model, nullptr);
    rig.dialog->show();
    auto* memory = rig.Find<QComboBox>("CB205_MlbBox");
    QCOMPARE(memory->currentIndex(), 2);
    emit memory->activated(0);
    QCOMPARE(rig.data.bits.LockBits, 0xFC);
    QCOMPARE(memory->currentIndex(), 0);
    auto* boot = rig.Find<QComboBox>("CB205_Blb1box");
    QCOMPARE(boot->count(), 5);
    emit boot->activated(2);
    QCOMPARE(rig.data.bits.LockBits, 0xEC);
}

void ConfigDialogTest::reservedOscillatorItemCannotBeChosen() {
    AnyDialogRig rig(ConfigRig::Shipped("18F25K50"));
    rig.dialog->PageControl()->setCurrentIndex(1);
    QRadioButton* reserved = rig.Item("RG38_Osc", 14);
    QVERIFY(reserved != nullptr && reserved->isVisible());
    QVERIFY(!reserved->isEnabled());
    const std::uint8_t before = rig.data.buffer[rig.data.Config()];
    test::ClickIndicator(reserved);
    QCOMPARE(rig.data.buffer[rig.data.Config()], before);
    test::ClickIndicator(rig.Item("RG38_Osc", 8));
    QCOMPARE(rig.data.buffer[rig.data.Config()] & 0x0F, 0x08);
    QCOMPARE(rig.Find<QLabel>("Label13")->text(),
             QStringLiteral("%1")
                 .arg(rig.data.buffer[rig.data.Config()], 2, 16, QLatin1Char('0'))
                 .toUpper());
}

void ConfigDialogTest::pic18IdBytesStayWithTheFirstTab() {
    DialogRig rig("18F4550");
    QGroupBox* ids = rig.dialog->IdGroup();
    QVERIFY(ids != nullptr);
    QCOMPARE(ids->objectName(), QStringLiteral("GB_18F"));
    QVERIFY(ids->isVisible());
    rig.dialog->PageControl()->setCurrentIndex(3);
    QVERIFY(!ids->isVisible());
    rig.dialog->PageControl()->setCurrentIndex(0);
    QVERIFY(ids->isVisible());
    rig.Type("ID273", "5a");
    QCOMPARE(rig.data.buffer[0xF0003], 0x5A);
}

QTEST_MAIN(ConfigDialogTest)
#include "ConfigDialogTest.moc"
