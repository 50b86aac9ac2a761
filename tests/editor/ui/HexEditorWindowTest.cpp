// The hex editor's window and its three tools driven as a user drives them:
// keys into the grids and the address box, the buttons, the tools' dialogs
// with their refusals, and the Edit command of the whole program.
#include <filesystem>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "app/ui/TfrmMains.h"
#include "catalogue/DataFileNames.h"
#include "catalogue/ui/TfrmSelectDevice.h"
#include "editor/EditorRig.h"
#include "editor/ui/THexEditor.h"
#include "editor/ui/TSearsForm.h"
#include "editor/ui/TfrmCopy.h"
#include "editor/ui/TfrmFill.h"
#include "gui/CommandWindows.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPorts.h"

using namespace karvo;
using namespace karvo::ui;
using karvo::test::EditorRig;

namespace {

struct WindowRig {
    explicit WindowRig(std::uint32_t available = 0x10000) : data(EditorRig::Eprom(available)) {
        window = std::make_unique<THexEditor>(data.editor, nullptr);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        Grid("StringGrid1")->setFocus();
    }

    QTableView* Grid(const char* name) const { return window->findChild<QTableView*>(name); }
    QString Cell(const char* grid, int row, int col) const {
        QTableView* view = Grid(grid);
        return view->model()->index(row, col).data().toString();
    }
    QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(name); }
    QString Text(const char* name) const {
        if (auto* label = window->findChild<QLabel*>(name)) return label->text();
        return window->findChild<QLineEdit*>(name)->text();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(Grid("StringGrid1"), key, modifiers);
    }
    HexEditorModel& Model() const { return data.editor; }

    mutable EditorRig data;
    std::unique_ptr<THexEditor> window;
};

// Answers the next box with OK and keeps its text.
void AnswerBox(QString& text) {
    test::WhenModal<QMessageBox>([&text](QMessageBox* box) {
        text = box->text();
        box->accept();
    });
}

// Closes a dialog a check left open, so that a failed check fails the test
// instead of leaving it waiting in the dialog's loop.
struct CloseOnExit {
    QDialog* dialog;
    ~CloseOnExit() {
        if (dialog->isVisible()) dialog->reject();
    }
};

void SetBox(QWidget* dialog, const char* name, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

class HexEditorWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void typingStoresTheByteAndMovesOneCell();
    void aBadDigitShowsTheBoxAndChangesNothing();
    void anUnfinishedByteIsMarked();
    void pagingStopsAtBothEnds();
    void theAddressBoxGoesToTheLastRow();
    void theScrollBarFollowsAndLeads();
    void findAndAgainWrap();
    void findRefusesAnOddHexString();
    void fillAndItsRefusals();
    void copyMoveAndTheirRefusals();
    void undoRestoresBytesAndChecksum();
    void editFromTheMainWindowRecomputesItsChecksum();
};

void HexEditorWindowTest::typingStoresTheByteAndMovesOneCell() {
    WindowRig rig;
    QTest::keyClicks(rig.Grid("StringGrid1"), "3f");
    QCOMPARE(rig.data.buffer[0], 0x3F);
    QCOMPARE(rig.Cell("StringGrid1", 0, 0), QStringLiteral("3F"));
    QCOMPARE(rig.Cell("StringGrid3", 0, 0), QStringLiteral("?"));
    QCOMPARE(rig.Grid("StringGrid1")->currentIndex().column(), 1);
    QCOMPARE(rig.Grid("StringGrid3")->currentIndex().column(), 1);
    QCOMPARE(rig.Text("CurrAdd"), QStringLiteral("00000001"));
    QCOMPARE(rig.Text("CsumText"), QStringLiteral("0xFF40"));
    // Typed in the ASCII block: the code, shown in the hex block.
    QTest::keyClicks(rig.Grid("StringGrid3"), "A");
    QCOMPARE(rig.data.buffer[1], 0x41);
    QCOMPARE(rig.Cell("StringGrid1", 0, 1), QStringLiteral("41"));
    // A key that types nothing does not type the last digit again.
    QTest::keyClick(rig.Grid("StringGrid1"), Qt::Key_F5);
    QCOMPARE(rig.data.buffer[2], 0xFF);
    QCOMPARE(rig.Model().SelectedCol(), 2);
}

void HexEditorWindowTest::aBadDigitShowsTheBoxAndChangesNothing() {
    WindowRig rig;
    QTest::keyClicks(rig.Grid("StringGrid1"), "a");
    QString shown;
    AnswerBox(shown);
    QTest::keyClicks(rig.Grid("StringGrid1"), "g");
    QCOMPARE(shown, QStringLiteral("This isn't a valid hex value: g"));
    QCOMPARE(rig.data.buffer[0], 0xAF);
    QCOMPARE(rig.Cell("StringGrid1", 0, 0), QStringLiteral("AF"));
    QCOMPARE(rig.Model().NibblePosition(), 2);
    // A character beyond Latin-1 is refused, not cut into a byte.
    AnswerBox(shown);
    QTest::sendKeyEvent(QTest::Click, rig.Grid("StringGrid3"), Qt::Key_unknown, QStringLiteral("Ł"),
                        Qt::NoModifier);
    QCOMPARE(shown, QStringLiteral("This isn't a valid hex value: Ł"));
    QCOMPARE(rig.data.buffer[0], 0xAF);
}

void HexEditorWindowTest::anUnfinishedByteIsMarked() {
    WindowRig rig;
    QAbstractItemModel* hex = rig.Grid("StringGrid1")->model();
    QVERIFY(!hex->index(0, 0).data(Qt::BackgroundRole).isValid());
    QTest::keyClicks(rig.Grid("StringGrid1"), "1");
    QVERIFY(hex->index(0, 0).data(Qt::BackgroundRole).isValid());
    rig.Key(Qt::Key_Escape);
    QVERIFY(!hex->index(0, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(rig.window->isVisible());  // Escape ends the byte, not the editor
}

void HexEditorWindowTest::pagingStopsAtBothEnds() {
    WindowRig rig;
    rig.Key(Qt::Key_Up);
    QCOMPARE(rig.Model().PageStart(), 0u);
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("00000000"));
    rig.Key(Qt::Key_PageDown);
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("00000100"));
    for (int i = 0; i < 300; ++i) rig.Key(Qt::Key_PageDown);
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("0000FF00"));
    QCOMPARE(rig.Cell("StringGrid2", 15, 0), QStringLiteral("0000FFF0"));
    rig.Key(Qt::Key_PageDown);
    QCOMPARE(rig.Model().PageStart(), 0xFF00u);
    rig.Key(Qt::Key_Home);
    QCOMPARE(rig.Model().PageStart(), 0u);
}

void HexEditorWindowTest::theAddressBoxGoesToTheLastRow() {
    WindowRig rig;
    auto* box = rig.window->findChild<QLineEdit*>("CurrAdd");
    box->setFocus();
    box->setCursorPosition(0);
    QTest::keyClicks(box, "FFFFFFFF");
    QCOMPARE(box->text(), QStringLiteral("0000FFF0"));
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("0000FF00"));
    QCOMPARE(rig.Grid("StringGrid1")->currentIndex().row(), 15);
    QCOMPARE(rig.Grid("StringGrid2")->currentIndex().row(), 15);
    // Nothing deletes a digit: the box always holds an address.
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("0000FFF0"));
    box->setCursorPosition(0);
    QTest::keyClicks(box, "00001234");
    QCOMPARE(box->text(), QStringLiteral("00001230"));
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("00001230"));
}

void HexEditorWindowTest::theScrollBarFollowsAndLeads() {
    WindowRig rig;
    auto* bar = rig.window->findChild<QScrollBar*>("ScrollBar1");
    QCOMPARE(bar->maximum(), 0x1000 - 16);
    rig.Key(Qt::Key_PageDown);
    QCOMPARE(bar->value(), 0x10);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("0000FF00"));
}

void HexEditorWindowTest::findAndAgainWrap() {
    WindowRig rig;
    rig.data.Put(0x1234, {0xAA, 0x55});
    rig.data.Put(0x4000, {0xAA, 0x55});
    test::WhenModal<TSearsForm>([](TSearsForm* dialog) {
        const CloseOnExit guard{dialog};
        SetBox(dialog, "Edit1", "aa55");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    QTest::mouseClick(rig.Button("Search"), Qt::LeftButton);
    QCOMPARE(rig.Text("CurrAdd"), QStringLiteral("00001234"));
    QTest::mouseClick(rig.Button("Again"), Qt::LeftButton);
    QCOMPARE(rig.Text("CurrAdd"), QStringLiteral("00004000"));
    QString shown;
    AnswerBox(shown);
    QTest::mouseClick(rig.Button("Again"), Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("Not Found"));
    QCOMPARE(rig.Text("CurrAdd"), QStringLiteral("0000FFFF"));
    QTest::mouseClick(rig.Button("Again"), Qt::LeftButton);
    QCOMPARE(rig.Text("CurrAdd"), QStringLiteral("00001234"));

    // Text mode.
    rig.data.Put(0x2000, {'O', 'K'});
    test::WhenModal<TSearsForm>([](TSearsForm* dialog) {
        const CloseOnExit guard{dialog};
        auto* mode = dialog->findChild<QPushButton*>("HexAscii");
        QCOMPARE(mode->text(), QStringLiteral("Ascii"));
        QTest::mouseClick(mode, Qt::LeftButton);
        QCOMPARE(dialog->findChild<QLabel*>("Label1")->text(), QStringLiteral("Search for Ascii:"));
        SetBox(dialog, "Edit1", "OK");
        QTest::keyClick(dialog->findChild<QLineEdit*>("Edit1"), Qt::Key_Return);
    });
    QTest::mouseClick(rig.Button("Search"), Qt::LeftButton);
    QCOMPARE(rig.Text("CurrAdd"), QStringLiteral("00002000"));
}

void HexEditorWindowTest::findRefusesAnOddHexString() {
    WindowRig rig;
    QString shown;
    bool stayedOpen = false;
    test::WhenModal<TSearsForm>([&](TSearsForm* dialog) {
        const CloseOnExit guard{dialog};
        SetBox(dialog, "Edit1", "AA5");
        AnswerBox(shown);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    QTest::mouseClick(rig.Button("Search"), Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("To few charaters in hex string"));
    QVERIFY(stayedOpen);
}

void HexEditorWindowTest::fillAndItsRefusals() {
    WindowRig rig;
    QString shown;
    bool stayedOpen = false;
    test::WhenModal<TfrmFill>([&](TfrmFill* dialog) {
        const CloseOnExit guard{dialog};
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Buffer Fill"));
        QCOMPARE(dialog->findChild<QLineEdit*>("Edit1")->text(), QStringLiteral("0"));
        QCOMPARE(dialog->findChild<QLineEdit*>("Edit2")->text(), QStringLiteral("0000FFFF"));
        QCOMPARE(dialog->findChild<QLineEdit*>("Edit3")->text(), QStringLiteral("FF"));
        SetBox(dialog, "Edit2", "FFFFFFFF");
        AnswerBox(shown);
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        test::ClickIndicator(dialog->findChild<QRadioButton*>("RadioButton2"));
        QCOMPARE(dialog->findChild<QLineEdit*>("Edit3")->text(), QStringLiteral("0000"));
        SetBox(dialog, "Edit1", "10");
        SetBox(dialog, "Edit2", "14");
        SetBox(dialog, "Edit3", "3fff");
        QCOMPARE(dialog->findChild<QLineEdit*>("Edit3")->text(), QStringLiteral("3FFF"));
        QCOMPARE(dialog->findChild<QLineEdit*>("Edit1")->text(), QStringLiteral("10"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    rig.Key(Qt::Key_PageDown);
    QTest::mouseClick(rig.Button("Fill"), Qt::LeftButton);
    QCOMPARE(shown,
             QStringLiteral("'To' has to be at most 0000FFFF, the last address of the buffer"));
    QVERIFY(stayedOpen);
    QCOMPARE(rig.data.Bytes(0x10, 6),
             (std::vector<std::uint8_t>{0x3F, 0xFF, 0x3F, 0xFF, 0x3F, 0xFF}));
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("00000000"));  // page 0 afterwards

    // To below From: the box, and the dialog closes without filling.
    test::WhenModal<TfrmFill>([&](TfrmFill* dialog) {
        const CloseOnExit guard{dialog};
        SetBox(dialog, "Edit1", "1");
        SetBox(dialog, "Edit2", "0");
        AnswerBox(shown);
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    QTest::mouseClick(rig.Button("Fill"), Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("'To' has to be greater than 'From'"));
    QCOMPARE(rig.data.buffer[0], 0xFF);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void HexEditorWindowTest::copyMoveAndTheirRefusals() {
    WindowRig rig;
    rig.data.Put(0x100, {1, 2, 3, 4});
    rig.Model().Select(0, 0);
    QTest::keyClick(rig.Grid("StringGrid1"), Qt::Key_PageDown);
    QString shown;
    bool stayedOpen = false;
    test::WhenModal<TfrmCopy>([&](TfrmCopy* dialog) {
        const CloseOnExit guard{dialog};
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Copy"));
        QCOMPARE(dialog->findChild<QLineEdit*>("BeginAdd")->text(), QStringLiteral("00000100"));
        QVERIFY(!dialog->findChild<QPushButton*>("MoveBt")->isVisible());
        QVERIFY(!dialog->findChild<QLineEdit*>("ReplaceEd")->isVisible());
        SetBox(dialog, "NrBytes", "4");
        SetBox(dialog, "WhereAdd", "102");
        AnswerBox(shown);
        QTest::mouseClick(dialog->findChild<QPushButton*>("CopyBt"), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        SetBox(dialog, "WhereAdd", "2000");
        QTest::mouseClick(dialog->findChild<QPushButton*>("CopyBt"), Qt::LeftButton);
    });
    QTest::mouseClick(rig.Button("BtCopy"), Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("The adresses are over lapping"));
    QVERIFY(stayedOpen);
    QCOMPARE(rig.data.Bytes(0x2000, 4), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    QCOMPARE(rig.Cell("StringGrid2", 0, 0), QStringLiteral("00002000"));

    rig.Model().ScrollTo(0x10);
    rig.Model().Select(0, 0);
    test::WhenModal<TfrmCopy>([&](TfrmCopy* dialog) {
        const CloseOnExit guard{dialog};
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Move"));
        QVERIFY(!dialog->findChild<QPushButton*>("CopyBt")->isVisible());
        SetBox(dialog, "NrBytes", "4");
        SetBox(dialog, "WhereAdd", "0");
        SetBox(dialog, "ReplaceEd", "F");
        AnswerBox(shown);
        QTest::mouseClick(dialog->findChild<QPushButton*>("MoveBt"), Qt::LeftButton);
        QCOMPARE(shown, QStringLiteral("Replace Value need two Hex Values "));
        // Past the end: refused whole, the source not replaced.
        SetBox(dialog, "ReplaceEd", "EE");
        SetBox(dialog, "WhereAdd", "FFFE");
        AnswerBox(shown);
        QTest::mouseClick(dialog->findChild<QPushButton*>("MoveBt"), Qt::LeftButton);
        QCOMPARE(rig.data.buffer[0x100], 1);
        SetBox(dialog, "WhereAdd", "0");
        QTest::mouseClick(dialog->findChild<QPushButton*>("MoveBt"), Qt::LeftButton);
    });
    QTest::mouseClick(rig.Button("BtMove"), Qt::LeftButton);
    QVERIFY(shown.startsWith("The destination 0000FFFE .. 00010001 does not fit"));
    QCOMPARE(rig.data.Bytes(0, 4), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    QCOMPARE(rig.data.Bytes(0x100, 4), (std::vector<std::uint8_t>{0xEE, 0xEE, 0xEE, 0xEE}));
}

void HexEditorWindowTest::undoRestoresBytesAndChecksum() {
    WindowRig rig;
    const QString before = rig.Text("CsumText");
    QTest::keyClicks(rig.Grid("StringGrid1"), "0000");
    QVERIFY(rig.Text("CsumText") != before);
    rig.Key(Qt::Key_Z, Qt::ControlModifier);
    rig.Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rig.data.Bytes(0, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    QCOMPARE(rig.Text("CsumText"), before);
    QVERIFY(!rig.Button("BtUndo")->isEnabled());
    rig.Key(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(rig.data.buffer[0], 0x00);
    QTest::mouseClick(rig.Button("BtUndo"), Qt::LeftButton);
    QCOMPARE(rig.data.buffer[0], 0xFF);
}

void HexEditorWindowTest::editFromTheMainWindowRecomputesItsChecksum() {
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
            const CloseOnExit guard{dialog};
            test::ClickIndicator(dialog->findChild<QRadioButton*>("RadioButton2"));
            for (auto [list, text] : {std::pair{dialog->Manufacturers(), "Atmel"},
                                      std::pair{dialog->Devices(), "AT27C256R"}}) {
                const auto found = list->findItems(QString::fromLatin1(text), Qt::MatchExactly);
                QCOMPARE(found.size(), 1);
                list->scrollToItem(found.first());
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(found.first()).center());
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        QTest::mouseClick(window.Button(ToolButton::SB_Select), Qt::LeftButton);
        QCOMPARE(window.findChild<QLabel*>("CheckL")->text(), QStringLiteral("8000"));
        QTRY_VERIFY(window.Button(ToolButton::SB_Edit)->isEnabled());

        QString typedSum;
        test::WhenModal<THexEditor>([&](THexEditor* editor) {
            const CloseOnExit guard{editor};
            QCOMPARE(editor->windowTitle(), QStringLiteral("Hex Editor"));
            QTest::keyClicks(editor->findChild<QTableView*>("StringGrid1"), "00");
            typedSum = editor->findChild<QLabel*>("CsumText")->text();
            QTest::mouseClick(editor->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        QTest::mouseClick(window.Button(ToolButton::SB_Edit), Qt::LeftButton);
        // 0x8000 bytes of FF less one: 0x7F7F01.
        QCOMPARE(typedSum, QStringLiteral("0x7F01"));
        QCOMPARE(window.findChild<QLabel*>("CheckL")->text(), QStringLiteral("7F01"));
        QCOMPARE(window.Presenter().Buffer()[0], 0x00);
        QVERIFY(prompts.boxes.empty());
        window.close();
    }
    std::filesystem::current_path(previous);
}

QTEST_MAIN(HexEditorWindowTest)
#include "HexEditorWindowTest.moc"
