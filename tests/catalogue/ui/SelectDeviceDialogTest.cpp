// The device selection dialog over its model: how it opens, what clicks do,
// how it ends; and the in-system-programming notice.
#include <algorithm>

#include <QButtonGroup>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

#include "catalogue/DataFileNames.h"
#include "catalogue/ui/IspHeaderPicture.h"
#include "catalogue/ui/IspPins.h"
#include "catalogue/ui/PinLabel.h"
#include "catalogue/ui/SelectionWindows.h"
#include "catalogue/ui/TfrmIsp.h"
#include "catalogue/ui/TfrmSelectDevice.h"
#include "support/CatalogueFixture.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;
using karvo::test::DeviceBuilder;

namespace {

const QStringList kEpromMakers = {"AMD", "Atmel"};
const QStringList kAmdDevices = {"Am27C64", "Am27C256"};
const QStringList kAtmelEDevices = {"AT27C256R", "AT28C64B", "AT28C256"};
const QStringList kMicroMakers = {"Atmel", "Microchip"};
const QStringList kAtmelMDevices = {"AT89C51", "AT89S8252"};
const QStringList kMicrochipDevices = {"PIC16F84A"};

std::vector<DeviceRecord> Records(char family, const QStringList& names) {
    std::vector<DeviceRecord> records;
    for (const QString& name : names)
        records.push_back(DeviceBuilder(family, 0x7FFF, name.toStdString()));
    return records;
}

// A program directory with the data files asked for ("e", "m" or both) and
// the state the Select command hands to the model.
struct SelectionRig {
    explicit SelectionRig(const QString& files, std::string remembered = "", int manuf = 0,
                          int device = 0)
        : dataFileName(std::move(remembered)), manufIndex(manuf), deviceIndex(device) {
        if (files.contains('e')) {
            dir.Write(kEpromFileName, {{"AMD", Records('E', kAmdDevices)},
                                       {"Atmel", Records('E', kAtmelEDevices)}});
            present |= kEpromFileBit;
        }
        if (files.contains('m')) {
            dir.Write(kMicroFileName, {{"Atmel", Records('M', kAtmelMDevices)},
                                       {"Microchip", Records('C', kMicrochipDevices)}});
            present |= kMicroFileBit;
        }
        owner.setGeometry(4, 30, 790, 534);
        owner.show();
        model = std::make_unique<SelectionModel>(dataFileName, manufIndex, deviceIndex, present,
                                                 prompts);
        model->Prepare();
    }

    // The dialog shown without its own event loop, so the test can click.
    TfrmSelectDevice& Open() {
        dialog = std::make_unique<TfrmSelectDevice>(*model, &owner);
        dialog->show();
        return *dialog;
    }
    template <typename T>
    T* Find(const QString& name) const {
        return dialog->findChild<T*>(name);
    }
    QRadioButton* Family(int index) const {
        return Find<QRadioButton>(QStringLiteral("RadioButton%1").arg(index + 1));
    }
    static QStringList Rows(const QListWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
        return rows;
    }
    static void ClickRow(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    test::ScratchProgramDir dir;
    std::uint8_t present = 0;
    std::string dataFileName;
    std::int32_t manufIndex;
    std::int32_t deviceIndex;
    test::RecordingPrompts prompts;
    QWidget owner;
    std::unique_ptr<SelectionModel> model;
    std::unique_ptr<TfrmSelectDevice> dialog;
};

}  // namespace

class SelectDeviceDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void looksAsGiven();
    void opensOnTheRememberedChoice_data();
    void opensOnTheRememberedChoice();
    void missingRememberedFileThenMicroControllers();
    void manufacturerClickSelectsItsFirstDevice();
    void showingTheRememberedFamilyIsNoClick();
    void deviceClickAndKeys();
    void findsAChipByTyping();
    void findingNothingTakesNothing();
    void endsWith_data();
    void endsWith();
    void ispNoticeLooksAsGiven();
    void ispPictureMarksThePins_data();
    void ispPictureMarksThePins();
    void ispNoticeClosesWithOk();
};

void SelectDeviceDialogTest::looksAsGiven() {
    SelectionRig rig("em");
    TfrmSelectDevice& dialog = rig.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("   Select a Device"));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(rig.Find<QLabel>("Label1")->text(), QStringLiteral("Manufacturer"));
    QCOMPARE(rig.Find<QLabel>("Label2")->text(), QStringLiteral("Device"));
    QCOMPARE(rig.Find<QLabel>("Label3")->text(), QStringLiteral("Select Device Type"));
    const QStringList captions = {"Eprom", "EEprom", "Serial EEprom", "Micro Controllers",
                                  "Pld / Bipolar"};
    for (int i = 0; i < 5; ++i) QCOMPARE(rig.Family(i)->text(), captions[i]);
    // One group: at most one family checked.
    QVERIFY(rig.Family(0)->group() != nullptr);
    QVERIFY(rig.Family(0)->group()->exclusive());
    for (int i = 1; i < 5; ++i) QCOMPARE(rig.Family(i)->group(), rig.Family(0)->group());
    QCOMPARE(rig.Find<QPushButton>("BitBtn1")->text(), QStringLiteral("OK"));
    QCOMPARE(rig.Find<QPushButton>("BitBtn2")->text(), QStringLiteral("Cancel"));
    QVERIFY(rig.Find<QPushButton>("BitBtn1")->isDefault());

    // The devices run down one column and go on in a second.
    auto* devices = rig.Find<QListWidget>("ListBox2");
    QCOMPARE(devices->flow(), QListView::TopToBottom);
    QVERIFY(devices->isWrapping());
    QCOMPARE(devices->gridSize().width(), devices->viewport()->width() / 2);
    auto* makers = rig.Find<QListWidget>("ListBox1");
    QVERIFY(!makers->isWrapping());
    QVERIFY(makers->selectionMode() == QAbstractItemView::SingleSelection);
}

void SelectDeviceDialogTest::opensOnTheRememberedChoice_data() {
    QTest::addColumn<QString>("files");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<int>("manuf");
    QTest::addColumn<int>("device");
    QTest::addColumn<QString>("enabled");  // one letter per family button
    QTest::addColumn<int>("checked");
    QTest::addColumn<QStringList>("makers");
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<int>("makerRow");
    QTest::addColumn<int>("deviceRow");
    QTest::addColumn<QString>("box");

    QTest::newRow("both files, none remembered: EEprom")
        << "em"
        << "" << 0 << 0 << "-E-M-" << 1 << kEpromMakers << kAmdDevices << 0 << 0 << "";
    QTest::newRow("remembered EEPROM device") << "em"
                                              << "KARVO_e.usb" << 1 << 2 << "-E-M-" << 1
                                              << kEpromMakers << kAtmelEDevices << 1 << 2 << "";
    QTest::newRow("remembered micro device") << "em"
                                             << "KARVO_m.usb" << 1 << 0 << "-E-M-" << 3
                                             << kMicroMakers << kMicrochipDevices << 1 << 0 << "";
    QTest::newRow("only the micro file, none remembered")
        << "m"
        << "" << 0 << 0 << "---M-" << 3 << kMicroMakers << kAtmelMDevices << 0 << 0 << "";
    QTest::newRow("only the EEPROM file")
        << "e"
        << "" << 0 << 1 << "-E---" << 1 << kEpromMakers << kAmdDevices << 0 << 1 << "";
    QTest::newRow("only the micro file, EEPROM file remembered")
        << "m"
        << "KARVO_e.usb" << 0 << 0 << "---M-" << 0 << QStringList() << QStringList() << -1 << -1
        << "KARVO_e.usb";
    QTest::newRow("remembered index beyond the file")
        << "em"
        << "KARVO_e.usb" << 7 << 3 << "-E-M-" << 1 << kEpromMakers << kAmdDevices << 0 << 0 << "";
}

void SelectDeviceDialogTest::opensOnTheRememberedChoice() {
    QFETCH(QString, files);
    QFETCH(QString, remembered);
    QFETCH(int, manuf);
    QFETCH(int, device);
    QFETCH(QString, enabled);
    QFETCH(int, checked);
    QFETCH(QStringList, makers);
    QFETCH(QStringList, devices);
    QFETCH(int, makerRow);
    QFETCH(int, deviceRow);
    QFETCH(QString, box);
    SelectionRig rig(files, remembered.toStdString(), manuf, device);
    rig.Open();
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(rig.Family(i)->isEnabled(), enabled[i] != '-');
        QCOMPARE(rig.Family(i)->isChecked(), i == checked);
    }
    auto* makerList = rig.Find<QListWidget>("ListBox1");
    auto* deviceList = rig.Find<QListWidget>("ListBox2");
    QCOMPARE(SelectionRig::Rows(makerList), makers);
    QCOMPARE(SelectionRig::Rows(deviceList), devices);
    QCOMPARE(makerList->currentRow(), makerRow);
    QCOMPARE(deviceList->currentRow(), deviceRow);
    QCOMPARE(makerList->selectedItems().size(), makerRow < 0 ? 0 : 1);
    if (box.isEmpty()) {
        QVERIFY(rig.prompts.boxes.empty());
    } else {
        QCOMPARE(rig.prompts.boxes.size(), std::size_t{1});
        QCOMPARE(rig.prompts.boxes[0].caption, std::string(" File Not Found "));
        QCOMPARE(QString::fromStdString(rig.prompts.boxes[0].text), box);
        QVERIFY(rig.prompts.boxes[0].kind == BoxKind::Error);
    }
}

void SelectDeviceDialogTest::missingRememberedFileThenMicroControllers() {
    SelectionRig rig("m", kEpromFileName, 1, 1);
    rig.Open();
    QVERIFY(!rig.Family(0)->isEnabled());
    QVERIFY(rig.Family(0)->isChecked());
    test::ClickIndicator(rig.Family(3));
    QVERIFY(rig.Family(3)->isChecked());
    QVERIFY(!rig.Family(0)->isChecked());
    QCOMPARE(SelectionRig::Rows(rig.Find<QListWidget>("ListBox1")), kMicroMakers);
    QCOMPARE(SelectionRig::Rows(rig.Find<QListWidget>("ListBox2")), kAtmelMDevices);
    QCOMPARE(rig.Find<QListWidget>("ListBox1")->currentRow(), 0);
    QCOMPARE(rig.Find<QListWidget>("ListBox2")->currentRow(), 0);
    QCOMPARE(rig.dataFileName, std::string(kMicroFileName));
    QCOMPARE(rig.manufIndex, 0);
    QCOMPARE(rig.deviceIndex, 0);
    // A disabled family cannot be chosen.
    test::ClickIndicator(rig.Family(1));
    QVERIFY(rig.Family(3)->isChecked());
    QCOMPARE(rig.prompts.boxes.size(), std::size_t{1});
}

void SelectDeviceDialogTest::manufacturerClickSelectsItsFirstDevice() {
    SelectionRig rig("em", kEpromFileName, 1, 2);
    rig.Open();
    auto* makers = rig.Find<QListWidget>("ListBox1");
    auto* devices = rig.Find<QListWidget>("ListBox2");
    QCOMPARE(devices->currentRow(), 2);
    SelectionRig::ClickRow(makers, 0);
    QCOMPARE(SelectionRig::Rows(devices), kAmdDevices);
    QCOMPARE(devices->currentRow(), 0);
    QCOMPARE(rig.manufIndex, 0);
    QCOMPARE(rig.deviceIndex, 0);
    SelectionRig::ClickRow(devices, 1);
    QCOMPARE(rig.deviceIndex, 1);
    // Back to the other manufacturer: its first device, not the one before.
    SelectionRig::ClickRow(makers, 1);
    QCOMPARE(SelectionRig::Rows(devices), kAtmelEDevices);
    QCOMPARE(devices->currentRow(), 0);
    QCOMPARE(makers->currentRow(), 1);
    QCOMPARE(rig.manufIndex, 1);
    QCOMPARE(rig.deviceIndex, 0);
}

void SelectDeviceDialogTest::showingTheRememberedFamilyIsNoClick() {
    // Opening checks the remembered family's button. That is the lists being
    // prepared, not the user choosing a family, so the remembered
    // manufacturer and device stay; a real click starts the family afresh.
    SelectionRig rig("em", kMicroFileName, 0, 1);
    rig.Open();
    QVERIFY(rig.Family(3)->isChecked());
    QCOMPARE(rig.manufIndex, 0);
    QCOMPARE(rig.deviceIndex, 1);
    QCOMPARE(rig.Find<QListWidget>("ListBox2")->currentRow(), 1);
    QVERIFY(rig.model->ListsReady());

    test::ClickIndicator(rig.Family(3));
    QCOMPARE(rig.manufIndex, 0);
    QCOMPARE(rig.deviceIndex, 0);
    QCOMPARE(rig.Find<QListWidget>("ListBox2")->currentRow(), 0);
    test::ClickIndicator(rig.Family(1));
    QCOMPARE(rig.dataFileName, std::string(kEpromFileName));
    QCOMPARE(SelectionRig::Rows(rig.Find<QListWidget>("ListBox1")), kEpromMakers);
    QCOMPARE(SelectionRig::Rows(rig.Find<QListWidget>("ListBox2")), kAmdDevices);
}

void SelectDeviceDialogTest::deviceClickAndKeys() {
    SelectionRig rig("em", kEpromFileName, 1, 0);
    TfrmSelectDevice& dialog = rig.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* makers = rig.Find<QListWidget>("ListBox1");
    auto* devices = rig.Find<QListWidget>("ListBox2");
    SelectionRig::ClickRow(devices, 2);
    QCOMPARE(rig.deviceIndex, 2);
    QCOMPARE(rig.manufIndex, 1);
    // The arrow keys choose as a click does.
    makers->setFocus();
    QTest::keyClick(makers, Qt::Key_Up);
    QCOMPARE(rig.manufIndex, 0);
    QCOMPARE(rig.deviceIndex, 0);
    QCOMPARE(SelectionRig::Rows(devices), kAmdDevices);
}

void SelectDeviceDialogTest::findsAChipByTyping() {
    // Remembered: the EPROM file, AMD, Am27C64.
    SelectionRig rig("em", kEpromFileName, 0, 0);
    TfrmSelectDevice& dialog = rig.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* find = dialog.FindBox();
    QTreeWidget* found = dialog.Found();
    // The box has the keys from the start: the user just types.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(find));
    QVERIFY(!found->isVisible());

    // A chip of the other data file and manufacturer, without its prefix.
    QTest::keyClicks(find, "f84");
    QVERIFY(found->isVisible());
    QCOMPARE(found->topLevelItemCount(), 1);
    QCOMPARE(found->topLevelItem(0)->text(0), QStringLiteral("PIC16F84A"));
    QCOMPARE(found->topLevelItem(0)->text(1), QStringLiteral("Microchip"));
    QCOMPARE(found->topLevelItem(0)->text(2), QStringLiteral("Micro Controllers"));
    // The best match is chosen as clicks would have chosen it.
    QCOMPARE(rig.dataFileName, std::string(kMicroFileName));
    QCOMPARE(rig.manufIndex, 1);
    QCOMPARE(rig.deviceIndex, 0);
    QVERIFY(rig.Family(3)->isChecked());

    // Typing again, case ignored; Down moves to the second match.
    find->selectAll();
    QTest::keyClicks(find, "C256");
    QStringList names;
    for (int i = 0; i < found->topLevelItemCount(); ++i) names << found->topLevelItem(i)->text(0);
    QCOMPARE(names, (QStringList{"Am27C256", "AT27C256R", "AT28C256"}));
    QCOMPARE(rig.manufIndex, 0);
    QCOMPARE(rig.deviceIndex, 1);
    QTest::keyClick(find, Qt::Key_Down);
    QCOMPARE(found->indexOfTopLevelItem(found->currentItem()), 1);
    QCOMPARE(rig.dataFileName, std::string(kEpromFileName));
    QCOMPARE(rig.manufIndex, 1);
    QCOMPARE(rig.deviceIndex, 0);
    QTest::keyClick(find, Qt::Key_Down);
    QTest::keyClick(find, Qt::Key_Up);
    QCOMPARE(rig.deviceIndex, 0);

    // Return takes it; the lists show it when the dialog is seen again.
    QTest::keyClick(find, Qt::Key_Return);
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(rig.model->HasValidSelection(), true);
    QCOMPARE(dialog.Devices()->currentItem()->text(), QStringLiteral("AT27C256R"));
}

void SelectDeviceDialogTest::findingNothingTakesNothing() {
    SelectionRig rig("em", kEpromFileName, 1, 2);
    TfrmSelectDevice& dialog = rig.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* find = dialog.FindBox();
    QTest::keyClicks(find, "xyz");
    QCOMPARE(dialog.Found()->topLevelItemCount(), 0);
    QCOMPARE(rig.Find<QLabel>("LabelFound")->text(),
             QString::fromUtf8("No device name contains \u201Cxyz\u201D"));
    // Enter with nothing found neither takes the earlier chip nor closes.
    QTest::keyClick(find, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(rig.manufIndex, 1);
    QCOMPARE(rig.deviceIndex, 2);
    // Escape empties the box and brings the lists back; the next one cancels.
    QTest::keyClick(find, Qt::Key_Escape);
    QVERIFY(find->text().isEmpty());
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.Devices()->isVisible());
    // With the box empty the arrow keys move through the devices.
    QTest::keyClick(find, Qt::Key_Up);
    QCOMPARE(rig.deviceIndex, 1);
    QTest::keyClick(find, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Rejected));
}

void SelectDeviceDialogTest::endsWith_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("device");
    QTest::newRow("OK") << "ok" << true << 1;
    QTest::newRow("Enter") << "enter" << true << 1;
    QTest::newRow("double-click on a device") << "double" << true << 2;
    QTest::newRow("Cancel") << "cancel" << false << 1;
    QTest::newRow("Escape") << "escape" << false << 1;
}

void SelectDeviceDialogTest::endsWith() {
    QFETCH(QString, how);
    QFETCH(bool, confirmed);
    QFETCH(int, device);
    SelectionRig rig("em", kEpromFileName, 1, 0);
    SelectionWindows windows(&rig.owner);
    bool centred = false;
    bool modal = false;
    test::WhenModal<TfrmSelectDevice>([&](TfrmSelectDevice* dialog) {
        centred =
            (test::FrameCentre(dialog) - test::FrameCentre(&rig.owner)).manhattanLength() <= 2;
        modal = dialog->isModal();
        auto* devices = dialog->Devices();
        SelectionRig::ClickRow(devices, 1);
        if (how == "ok")
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        if (how == "cancel") {
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        }
        if (how == "enter") QTest::keyClick(dialog, Qt::Key_Return);
        if (how == "escape") QTest::keyClick(dialog, Qt::Key_Escape);
        if (how == "double") {
            // A double-click starts as a click.
            SelectionRig::ClickRow(devices, 2);
            QTest::mouseDClick(devices->viewport(), Qt::LeftButton, {},
                               devices->visualItemRect(devices->item(2)).center());
        }
    });
    QCOMPARE(windows.Run(*rig.model), confirmed);
    QVERIFY(modal);
    QVERIFY(centred);
    // The indexes are the user's last choice either way; the Select command
    // decides what a confirmed choice means.
    QCOMPARE(rig.manufIndex, 1);
    QCOMPARE(rig.deviceIndex, device);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void SelectDeviceDialogTest::ispNoticeLooksAsGiven() {
    QWidget owner;
    owner.setGeometry(4, 30, 790, 534);
    TfrmIsp notice(&owner);
    notice.show();
    QVERIFY(QTest::qWaitForWindowExposed(&notice));
    QCOMPARE(notice.windowTitle(), QStringLiteral("ATMEL_ISP"));
    QCOMPARE(notice.size(), QSize(528, 279));
    QCOMPARE(notice.minimumSize(), notice.maximumSize());
    QVERIFY(!(notice.windowFlags() & Qt::WindowCloseButtonHint));

    // The picture keeps its proportions and fills the height, on the left.
    auto* picture = notice.findChild<IspHeaderView*>();
    QVERIFY(picture != nullptr);
    QCOMPARE(picture->geometry(), QRect(0, 0, 425, 279));

    // Six labels on the right, top to bottom, each in its mark's colour.
    const QStringList texts = {"VCC", "CLK", "DATA/MOSI", "MISO", "RST", "GND"};
    const QList<QColor> colours = {Qt::red,           Qt::blue,          Qt::white,
                                   QColor(0, 0, 128), QColor(0, 128, 0), Qt::black};
    const QString fixedPitch = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    QList<PinLabel*> labels = notice.findChildren<PinLabel*>();
    QCOMPARE(labels.size(), 6);
    std::sort(labels.begin(), labels.end(),
              [](const PinLabel* a, const PinLabel* b) { return a->y() < b->y(); });
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(labels[i]->text(), texts[i]);
        QCOMPARE(labels[i]->colour(), colours[i]);
        QCOMPARE(labels[i]->font().family(), fixedPitch);
        QVERIFY(labels[i]->x() >= picture->geometry().right());
        QVERIFY(labels[i]->geometry().right() < notice.width());
        // Only white needs an outline to be read on the grey window.
        QCOMPARE(labels[i]->Outlined(), texts[i] == "DATA/MOSI");
    }
    auto* ok = notice.findChild<QPushButton*>("BitBtn1");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->y() > labels.last()->geometry().bottom());
    QVERIFY(ok->x() >= picture->geometry().right());
}

void SelectDeviceDialogTest::ispPictureMarksThePins_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QColor>("mark");  // invalid: no mark
    const QColor none;
    const QColor navy(0, 0, 128);
    const QColor green(0, 128, 0);
    QTest::newRow("upper 1 white") << 0 << 0 << QColor(Qt::white);
    QTest::newRow("upper 2 none") << 0 << 1 << none;
    QTest::newRow("upper 3 green") << 0 << 2 << green;
    QTest::newRow("upper 4 navy") << 0 << 3 << navy;
    QTest::newRow("upper 5 blue") << 0 << 4 << QColor(Qt::blue);
    QTest::newRow("lower 1 black") << 1 << 0 << QColor(Qt::black);
    QTest::newRow("lower 2 none") << 1 << 1 << none;
    QTest::newRow("lower 3 none") << 1 << 2 << none;
    QTest::newRow("lower 4 red") << 1 << 3 << QColor(Qt::red);
    QTest::newRow("lower 5 black") << 1 << 4 << QColor(Qt::black);
}

void SelectDeviceDialogTest::ispPictureMarksThePins() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QColor, mark);
    QImage image(kIspPictureWidth, kIspPictureHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        DrawIspHeader(painter);
    }
    const QPoint centre = IspMarkRect(row, column).center().toPoint();
    const QColor seen = image.pixelColor(centre);
    if (mark.isValid()) {
        QCOMPARE(seen, mark);
    } else {
        // Bare board there: green, none of the marks' colours.
        QVERIFY2(seen.green() > seen.red() && seen.green() > seen.blue(), qPrintable(seen.name()));
        for (const IspPin& pin : kIspPins) QVERIFY(seen != pin.colour);
    }
    // Nothing of the picture is left undrawn.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 255);
    QCOMPARE(image.pixelColor(kIspPictureWidth - 1, kIspPictureHeight - 1).alpha(), 255);
}

void SelectDeviceDialogTest::ispNoticeClosesWithOk() {
    QWidget owner;
    owner.setGeometry(4, 30, 790, 534);
    owner.show();
    SelectionWindows windows(&owner);
    bool centred = false;
    test::WhenModal<TfrmIsp>([&](TfrmIsp* notice) {
        centred = (test::FrameCentre(notice) - test::FrameCentre(&owner)).manhattanLength() <= 2;
        QTest::mouseClick(notice->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    windows.ShowIspNotice();
    QVERIFY(centred);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY2(owner.findChildren<TfrmIsp*>().isEmpty(), "released when it closes");
}

QTEST_MAIN(SelectDeviceDialogTest)
#include "SelectDeviceDialogTest.moc"
