// The Load and Save commands' windows: the file format dialog in both its
// layouts, driven through its buttons and boxes, the progress window, and a
// whole Load through the main window.
#include <filesystem>
#include <fstream>

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/ui/LogView.h"
#include "app/ui/TfrmMains.h"
#include "buffer/ui/FileWindows.h"
#include "buffer/ui/TfrmFileFormat.h"
#include "catalogue/DataFileNames.h"
#include "catalogue/ui/TfrmSelectDevice.h"
#include "gui/CommandWindows.h"
#include "support/Devices.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;
using karvo::test::DeviceBuilder;

namespace {

const DeviceRecord kEprom = DeviceBuilder('E', 0x7FFF);
const DeviceRecord kPic = DeviceBuilder('C', 0x7FF).Algorithm(5);

template <typename T>
T* Child(QWidget* dialog, const char* name) {
    return dialog->findChild<T*>(QString::fromLatin1(name));
}
QRadioButton* Radio(QWidget* dialog, const char* name) {
    return Child<QRadioButton>(dialog, name);
}
bool Shown(QWidget* dialog, const char* group) {
    return Child<QGroupBox>(dialog, group)->isVisible();
}
// Replaces a box's text by typing, as a user who selected it all would.
void TypeInto(QWidget* dialog, const char* box, const QString& text) {
    auto* edit = Child<QLineEdit>(dialog, box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}
void ClickText(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}
void Press(QWidget* dialog, const char* button) {
    QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
}

struct FormatRig {
    FormatRig() {
        owner.setGeometry(4, 30, 790, 534);
        owner.show();
    }
    // Runs the dialog modally as the commands do; act() works the dialog.
    bool Run(const DeviceRecord& device, FileFormatLayout layout, FileFormat preselected,
             const std::function<void(TfrmFileFormat*)>& act) {
        model = std::make_unique<FileFormatModel>(kept, device, layout, preselected);
        test::WhenModal<TfrmFileFormat>(act);
        FileFormatWindow window(&owner);
        return window.Run(*model);
    }

    QWidget owner;
    FileFormatKept kept;
    std::unique_ptr<FileFormatModel> model;
};

// The Open dialog answered with one file, the filter it was chosen under.
class ChosenFile final : public FileChoicePort {
  public:
    explicit ChosenFile(std::string path) : path_(std::move(path)) {}
    FileDialogAnswer ChooseFileToOpen(const FileDialogRequest& request) override {
        requests.push_back(request);
        return {true, path_, 1, std::filesystem::path(path_).parent_path().string()};
    }
    FileDialogAnswer ChooseFileToSave(const FileDialogRequest& request) override {
        requests.push_back(request);
        return {};
    }
    std::vector<FileDialogRequest> requests;

  private:
    std::string path_;
};

}  // namespace

class FileFormatDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void loadLayoutForAByteWidePart();
    void malformedOffsetKeepsTheDialogOpen();
    void loadLayoutForAWordPart();
    void saveLayoutTakesTheRange();
    void cancelAndEscapeCancel();
    void filterInQtForm();
    void progressWindowShowsWhenTold();
    void loadThroughTheMainWindow();
};

void FileFormatDialogTest::loadLayoutForAByteWidePart() {
    FormatRig rig;
    QString title;
    QStringList enabled;
    bool binaryChecked = false, fillShown = false, offsetShown = false, rangeShown = true;
    bool defaultChecked = false, subtractChecked = false, centred = false, modal = false;
    QString offset, typedLong;
    bool addChecked = false;
    const bool ok = rig.Run(
        kEprom, FileFormatLayout::Load, FileFormat::FormatBinary, [&](TfrmFileFormat* dialog) {
            title = dialog->windowTitle();
            centred =
                (test::FrameCentre(dialog) - test::FrameCentre(&rig.owner)).manhattanLength() <= 2;
            modal = dialog->isModal();
            for (const char* name :
                 {"RB_Intelhex", "RB_Motorola", "RB_Binary", "RB_Inh8m", "RB_Inx16"}) {
                if (Radio(dialog, name)->isEnabled()) enabled << QString::fromLatin1(name);
            }
            binaryChecked = Radio(dialog, "RB_Binary")->isChecked();
            fillShown = Shown(dialog, "GroupBox1");
            offsetShown = Shown(dialog, "GroupBox3");
            rangeShown = Shown(dialog, "GroupBox4");
            defaultChecked = Radio(dialog, "RB_Default")->isChecked();
            subtractChecked = Radio(dialog, "RB_Sub")->isChecked();
            offset = Child<QLineEdit>(dialog, "Edit1")->text();

            test::ClickIndicator(Radio(dialog, "RB_Motorola"));
            test::ClickIndicator(Radio(dialog, "RB_FF"));
            test::ClickIndicator(Radio(dialog, "RB_Add"));
            addChecked =
                Radio(dialog, "RB_Add")->isChecked() && !Radio(dialog, "RB_Sub")->isChecked() &&
                Radio(dialog, "RB_Motorola")->isChecked() &&
                !Radio(dialog, "RB_Binary")->isChecked() && Radio(dialog, "RB_FF")->isChecked() &&
                !Radio(dialog, "RB_Default")->isChecked();
            TypeInto(dialog, "Edit1", "123456789");
            typedLong = Child<QLineEdit>(dialog, "Edit1")->text();
            TypeInto(dialog, "Edit1", "100");
            Press(dialog, "BitBtn1");
        });
    QCOMPARE(title, QStringLiteral("Select File Format"));
    QVERIFY(centred);
    QVERIFY(modal);
    QCOMPARE(enabled, (QStringList{"RB_Intelhex", "RB_Motorola", "RB_Binary"}));
    QVERIFY(binaryChecked);
    QVERIFY(fillShown);
    QVERIFY(offsetShown);
    QVERIFY(!rangeShown);
    QVERIFY(defaultChecked);
    QVERIFY(subtractChecked);
    QCOMPARE(offset, QStringLiteral("0"));
    QVERIFY(addChecked);
    QCOMPARE(typedLong, QStringLiteral("12345678"));
    QVERIFY(ok);
    QCOMPARE(rig.kept.format, FileFormat::FormatMotorola);
    QCOMPARE(rig.kept.fill, FillChoice::FF);
    QVERIFY(!rig.kept.subtract);
    QCOMPARE(rig.kept.offset, 0x100);
}

void FileFormatDialogTest::malformedOffsetKeepsTheDialogOpen() {
    FormatRig rig;
    QString caption, text;
    bool stillOpen = false;
    const bool ok = rig.Run(kEprom, FileFormatLayout::Load, FileFormat::FormatIntelHex,
                            [&](TfrmFileFormat* dialog) {
                                TypeInto(dialog, "Edit1", "12G");
                                test::WhenModal<QMessageBox>([&](QMessageBox* box) {
                                    caption = box->windowTitle();
                                    text = box->text();
                                    box->accept();
                                });
                                Press(dialog, "BitBtn1");
                                stillOpen = dialog->isVisible();
                                TypeInto(dialog, "Edit1", "20");
                                Press(dialog, "BitBtn1");
                            });
    QCOMPARE(caption, QStringLiteral("KARVO Mk2"));
    QCOMPARE(text, QStringLiteral("''$12G'' is not a valid integer value"));
    QVERIFY(stillOpen);
    QVERIFY(ok);
    QCOMPARE(rig.kept.offset, -0x20);
}

void FileFormatDialogTest::loadLayoutForAWordPart() {
    FormatRig rig;
    QStringList enabled;
    bool inh8mChecked = false, fillShown = false, offsetShown = true, stillInh8m = false;
    const bool ok =
        rig.Run(kPic, FileFormatLayout::Load, FileFormat::FormatInh8m, [&](TfrmFileFormat* dialog) {
            for (const char* name :
                 {"RB_Intelhex", "RB_Motorola", "RB_Binary", "RB_Inh8m", "RB_Inx16"}) {
                if (Radio(dialog, name)->isEnabled()) enabled << QString::fromLatin1(name);
            }
            inh8mChecked = Radio(dialog, "RB_Inh8m")->isChecked();
            fillShown = Shown(dialog, "GroupBox1");
            offsetShown = Shown(dialog, "GroupBox3");
            // A disabled button takes no click.
            test::ClickIndicator(Radio(dialog, "RB_Intelhex"));
            stillInh8m = Radio(dialog, "RB_Inh8m")->isChecked();
            test::ClickIndicator(Radio(dialog, "RB_Inx16"));
            Press(dialog, "BitBtn1");
        });
    QCOMPARE(enabled, (QStringList{"RB_Inh8m", "RB_Inx16"}));
    QVERIFY(inh8mChecked);
    QVERIFY(fillShown);
    QVERIFY(!offsetShown);
    QVERIFY(stillInh8m);
    QVERIFY(ok);
    QCOMPARE(rig.kept.format, FileFormat::FormatInx16);
    QCOMPARE(rig.kept.fill, FillChoice::DeviceDefault);
}

void FileFormatDialogTest::saveLayoutTakesTheRange() {
    FormatRig rig;
    bool fillShown = true, offsetShown = true, rangeShown = false;
    QString start, stop, typedStart, typedStop;
    const bool ok = rig.Run(kEprom, FileFormatLayout::Save, FileFormat::FormatIntelHex,
                            [&](TfrmFileFormat* dialog) {
                                fillShown = Shown(dialog, "GroupBox1");
                                offsetShown = Shown(dialog, "GroupBox3");
                                rangeShown = Shown(dialog, "GroupBox4");
                                start = Child<QLineEdit>(dialog, "Edit2")->text();
                                stop = Child<QLineEdit>(dialog, "Edit3")->text();
                                TypeInto(dialog, "Edit2", "1a0");
                                TypeInto(dialog, "Edit3", "7ffe");
                                typedStart = Child<QLineEdit>(dialog, "Edit2")->text();
                                typedStop = Child<QLineEdit>(dialog, "Edit3")->text();
                                Press(dialog, "BitBtn1");
                            });
    QVERIFY(!fillShown);
    QVERIFY(!offsetShown);
    QVERIFY(rangeShown);
    QCOMPARE(start, QStringLiteral("0"));
    QCOMPARE(stop, QStringLiteral("00007FFF"));
    QCOMPARE(typedStart, QStringLiteral("1A0"));
    QCOMPARE(typedStop, QStringLiteral("7FFE"));
    QVERIFY(ok);
    QCOMPARE(rig.kept.format, FileFormat::FormatIntelHex);
    std::string error;
    const auto range = rig.model->ReadSaveRange(error);
    QVERIFY(range.has_value());
    QCOMPARE(range->start, 0x1A0u);
    QCOMPARE(range->end, 0x7FFEu);
}

void FileFormatDialogTest::cancelAndEscapeCancel() {
    FormatRig rig;
    QVERIFY(!rig.Run(kEprom, FileFormatLayout::Save, FileFormat::FormatIntelHex,
                     [](TfrmFileFormat* dialog) { Press(dialog, "BitBtn2"); }));
    QCOMPARE(rig.kept.format, FileFormat::FormatCancelled);
    QVERIFY(!rig.Run(kEprom, FileFormatLayout::Load, FileFormat::FormatIntelHex,
                     [](TfrmFileFormat* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }));
    QCOMPARE(rig.kept.format, FileFormat::FormatCancelled);
}

void FileFormatDialogTest::filterInQtForm() {
    QCOMPARE(QtFileFilter(FileFilterFor(Family::Pic)),
             QStringLiteral("Inh8m (*.hex *.HEX);;All Files (*.*)"));
    QCOMPARE(QtFileFilter(FileFilterFor(Family::Eprom)).count(QStringLiteral(";;")), 3);
}

void FileFormatDialogTest::progressWindowShowsWhenTold() {
    QWidget owner;
    owner.setGeometry(4, 30, 790, 534);
    owner.show();
    FileProgressWindow progress(&owner);
    progress.Open(" Loading File.......");
    TfrmLoadSave* form = progress.Form();
    QVERIFY(form != nullptr);
    QVERIFY(form->isVisible());
    QVERIFY(!form->isModal());
    QCOMPARE(form->windowTitle(), QStringLiteral(" Loading File......."));
    auto* bar = Child<QProgressBar>(form, "L_Sbar");
    QCOMPARE(bar->value(), 0);
    progress.SetPosition(42);
    QCOMPARE(bar->value(), 42);
    progress.Close();
    QVERIFY(progress.Form() == nullptr);
}

void FileFormatDialogTest::loadThroughTheMainWindow() {
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const std::string path = scratch.filePath(QStringLiteral("image.hex")).toStdString();
    std::ofstream(path) << ":040010001122334442\n:00000001FF\n";

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KARVO_BIN_DIR);
    {
        ManualClock clock;
        VirtualProgrammer programmer({}, clock);
        VirtualBackend usb(programmer);
        programmer.LearnChipTypes(ChipTypes::FromDataFiles({kEpromFileName, kMicroFileName}));
        MemorySettingsStore store;
        test::RecordingSounds sounds;
        test::RecordingPrompts prompts;
        NoFirmwareUpdate update;
        ChosenFile files(path);
        TfrmMains window(MainWindowPorts{sounds, store, usb, clock, update, MakeCommandWindows,
                                         &prompts, &files});
        window.show();

        test::WhenModal<TfrmSelectDevice>([](TfrmSelectDevice* dialog) {
            test::ClickIndicator(Radio(dialog, "RadioButton2"));
            ClickText(dialog->Manufacturers(), "Atmel");
            ClickText(dialog->Devices(), "AT27C256R");
            Press(dialog, "BitBtn1");
        });
        QTest::mouseClick(window.Button(ToolButton::SB_Select), Qt::LeftButton);
        QTRY_VERIFY(window.Button(ToolButton::SB_Load)->isEnabled());

        bool offered = false;
        test::WhenModal<TfrmFileFormat>([&](TfrmFileFormat* dialog) {
            offered = Radio(dialog, "RB_Intelhex")->isChecked();
            Press(dialog, "BitBtn1");
        });
        QTest::mouseClick(window.Button(ToolButton::SB_Load), Qt::LeftButton);
        QVERIFY(offered);
        QCOMPARE(files.requests.size(), 1u);
        QCOMPARE(files.requests[0].filter, std::string(FileFilterFor(Family::Eprom)));
        const QStringList log = window.findChild<LogView*>("Memo1")->Lines();
        QVERIFY2(log.contains(QString::fromStdString(" File " + path + " Loaded")),
                 qPrintable(log.join('\n')));
        const MemoryBuffer& buffer = window.Presenter().Buffer();
        QCOMPARE(buffer[0x10], 0x11);
        QCOMPARE(buffer[0x13], 0x44);
        QCOMPARE(buffer[0x14], 0xFF);
        QVERIFY(prompts.boxes.empty());
        QVERIFY(window.findChildren<TfrmLoadSave*>().isEmpty());
    }
    std::filesystem::current_path(previous);
}

QTEST_MAIN(FileFormatDialogTest)
#include "FileFormatDialogTest.moc"
