#include "editor/ui/THexEditor.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"
#include "editor/ui/CellPainter.h"
#include "editor/ui/EditorBoxes.h"
#include "editor/ui/PageTableModel.h"
#include "editor/ui/TSearsForm.h"
#include "editor/ui/TfrmCopy.h"
#include "editor/ui/TfrmFill.h"

namespace karvo::ui {

namespace {

// Rows the wheel scrolls per notch.
constexpr int kWheelRows = 3;

std::optional<EditorKey> MovingKey(int key) {
    switch (key) {
        case Qt::Key_Up:
            return EditorKey::Up;
        case Qt::Key_Down:
            return EditorKey::Down;
        case Qt::Key_Left:
            return EditorKey::Left;
        case Qt::Key_Right:
            return EditorKey::Right;
        case Qt::Key_PageUp:
            return EditorKey::PageUp;
        case Qt::Key_PageDown:
            return EditorKey::PageDown;
        case Qt::Key_Home:
            return EditorKey::Home;
        // Keys that only end the typing of a byte.
        case Qt::Key_End:
        case Qt::Key_Insert:
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return EditorKey::Other;
        default:
            return std::nullopt;
    }
}

// The characters a key typed; none for control characters.
std::u32string TypedCharacters(const QKeyEvent* key) {
    std::u32string typed;
    for (const char32_t c : key->text().toUcs4()) {
        if (c < 0x20 || c == 0x7F) return {};
        typed += c;
    }
    return typed;
}

}  // namespace

THexEditor::THexEditor(HexEditorModel& model, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      model_(model) {
    setObjectName(QStringLiteral("HexEditor"));
    setWindowTitle(QStringLiteral("Hex Editor"));
    AdoptOwnerLook(this, owner);
    // The grids line up only in a fixed-pitch font, whatever the owner's.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(std::max(fixed.pointSizeF(), font().pointSizeF()));
    const QFontMetrics metrics(fixed);
    const int pad = metrics.horizontalAdvance(QLatin1Char('0'));
    // A cell needs the style's margins on both sides and its grid line
    // besides its text, or the text is cut short.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 1;

    addresses_ = new PageTableModel(model_, PageTableModel::Block::Address, this);
    hexBytes_ = new PageTableModel(model_, PageTableModel::Block::Hex, this);
    asciiBytes_ = new PageTableModel(model_, PageTableModel::Block::Ascii, this);
    StringGrid2 =
        MakeGrid(addresses_, "StringGrid2",
                 metrics.horizontalAdvance(QStringLiteral("00000000")) + margins + pad, fixed);
    StringGrid1 = MakeGrid(hexBytes_, "StringGrid1",
                           metrics.horizontalAdvance(QStringLiteral("00")) + margins + pad, fixed);
    StringGrid3 = MakeGrid(asciiBytes_, "StringGrid3",
                           metrics.horizontalAdvance(QLatin1Char('W')) + margins + pad / 2, fixed);

    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setPageStep(16);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setFixedHeight(StringGrid1->height());
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int value) {
        if (rendering_) return;
        model_.ScrollTo(value);
        Render();
    });

    CurrAdd = new QLineEdit(this);
    CurrAdd->setObjectName(QStringLiteral("CurrAdd"));
    CurrAdd->setMaxLength(8);
    CurrAdd->setFont(fixed);
    CurrAdd->setContextMenuPolicy(Qt::NoContextMenu);
    CurrAdd->setDragEnabled(false);
    CurrAdd->setAcceptDrops(false);
    CurrAdd->setToolTip(QStringLiteral("Type an address to go to it"));
    CurrAdd->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("00000000")) + 3 * pad);
    QPalette black = CurrAdd->palette();
    black.setColor(QPalette::Base, Qt::black);
    black.setColor(QPalette::Text, QColor(0x60, 0xFF, 0x60));
    CurrAdd->setPalette(black);
    CurrAdd->installEventFilter(this);

    CsumText = new QLabel(this);
    CsumText->setObjectName(QStringLiteral("CsumText"));
    CsumText->setFont(fixed);
    CsumText->setFrameShape(QFrame::StyledPanel);
    CsumText->setAlignment(Qt::AlignCenter);
    CsumText->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("0x0000")) + 3 * pad);

    Home = MakeButton("Home", "Home");
    connect(Home, &QPushButton::clicked, this, [this] {
        model_.Home();
        Render();
    });
    Search = MakeButton("Find", "Search");
    connect(Search, &QPushButton::clicked, this, &THexEditor::OpenSearch);
    Again = MakeButton("Again", "Again");
    connect(Again, &QPushButton::clicked, this, [this] {
        const auto box = model_.Again();
        Render();
        ShowEditorBox(this, box);
    });
    Fill = MakeButton("Fill", "Fill");
    connect(Fill, &QPushButton::clicked, this, &THexEditor::OpenFill);
    BtCopy = MakeButton("Copy", "BtCopy");
    connect(BtCopy, &QPushButton::clicked, this, [this] { OpenCopy(false); });
    BtMove = MakeButton("Move", "BtMove");
    connect(BtMove, &QPushButton::clicked, this, [this] { OpenCopy(true); });
    BtUndo = MakeButton("Undo", "BtUndo");
    BtUndo->setToolTip(QStringLiteral("Undo the last change (Ctrl+Z)"));
    connect(BtUndo, &QPushButton::clicked, this, [this] {
        model_.Undo();
        Render();
    });
    BtRedo = MakeButton("Redo", "BtRedo");
    BtRedo->setToolTip(QStringLiteral("Make the undone change again (Ctrl+Y)"));
    connect(BtRedo, &QPushButton::clicked, this, [this] {
        model_.Redo();
        Render();
    });
    BitBtn1 = new QPushButton(OkIcon(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setMinimumWidth(96);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto caption = [this](const char* text, const char* name) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    auto* grids = new QGridLayout;
    grids->setHorizontalSpacing(8);
    grids->setVerticalSpacing(4);
    grids->addWidget(caption("Address", "Label2"), 0, 0);
    grids->addWidget(caption("Hex Data", "Label1"), 0, 1);
    grids->addWidget(caption("Ascii Data", "Label3"), 0, 2);
    grids->addWidget(StringGrid2, 1, 0);
    grids->addWidget(StringGrid1, 1, 1);
    grids->addWidget(StringGrid3, 1, 2);
    grids->addWidget(ScrollBar1, 1, 3);

    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(8);
    boxes->addWidget(caption("Go to", "Label4"));
    boxes->addWidget(CurrAdd);
    boxes->addSpacing(16);
    boxes->addWidget(caption("Checksum", "Label5"));
    boxes->addWidget(CsumText);
    boxes->addStretch(1);
    boxes->addWidget(BtUndo);
    boxes->addWidget(BtRedo);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (QPushButton* button : {Home, Search, Again, Fill, BtCopy, BtMove}) {
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    column->addLayout(grids);
    column->addLayout(boxes);
    column->addLayout(buttons);

    Render();
    setFixedSize(sizeHint());
    StringGrid1->setFocus();
}

QTableView* THexEditor::MakeGrid(PageTableModel* model, const char* name, int cellWidth,
                                 const QFont& font) {
    auto* grid = new QTableView(this);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setModel(model);
    grid->setItemDelegate(new CellPainter(grid));
    grid->setFont(font);
    grid->verticalHeader()->hide();
    QHeaderView* header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setDefaultSectionSize(cellWidth);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    const int rowHeight = QFontMetrics(font).height();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight + 6);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    // The buffer is the only store: no in-place editor writes cell text back.
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setCornerButtonEnabled(false);
    grid->setAutoScroll(false);
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(model->columnCount() * cellWidth + frame,
                       header->sizeHint().height() + kEditorRows * (rowHeight + 6) + frame);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, grid](const QModelIndex& current) {
                if (rendering_ || !current.isValid()) return;
                // The address column has one cell a row: the column stays.
                const int col = grid == StringGrid2 ? model_.SelectedCol() : current.column();
                model_.Select(current.row(), col);
                Render();
            });
    return grid;
}

QPushButton* THexEditor::MakeButton(const char* caption, const char* name) {
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(72);
    return button;
}

bool THexEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        for (QTableView* grid : {StringGrid1, StringGrid2, StringGrid3}) {
            if (watched != grid->viewport()) continue;
            const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
            if (notches != 0) {
                model_.ScrollTo(model_.ScrollPosition() - notches * kWheelRows);
                Render();
            }
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (watched == CurrAdd) return AddressKey(key);
    if (watched == StringGrid1) return GridKey(Grid::Hex, key);
    if (watched == StringGrid2) return GridKey(Grid::Address, key);
    if (watched == StringGrid3) return GridKey(Grid::Ascii, key);
    return QDialog::eventFilter(watched, event);
}

bool THexEditor::UndoRedoKey(const QKeyEvent* key) {
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo) ||
                      (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier);
    if (!undo && !redo) return false;
    if (undo) {
        model_.Undo();
    } else {
        model_.Redo();
    }
    Render();
    return true;
}

bool THexEditor::GridKey(Grid grid, const QKeyEvent* key) {
    if (UndoRedoKey(key)) return true;
    if (const auto moving = MovingKey(key->key())) {
        model_.Key(*moving);
        Render();
        // Tab still takes the focus on.
        return key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
    const std::u32string typed = TypedCharacters(key);
    // Shift, Control and the function keys type nothing and end nothing.
    if (typed.empty()) return false;
    if (grid == Grid::Address) return true;
    for (const char32_t c : typed) {
        const auto box = grid == Grid::Hex ? model_.TypeHex(c) : model_.TypeAscii(c);
        Render();
        if (box) {
            ShowEditorBox(this, box);
            break;
        }
    }
    return true;
}

bool THexEditor::AddressKey(const QKeyEvent* key) {
    if (UndoRedoKey(key)) return true;
    switch (key->key()) {
        // The caret moves as in any box; Tab leaves it.
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            model_.SetAddressCaret(CurrAdd->cursorPosition());
            model_.TypeAddress(U'\r');
            Render();
            return true;
        default:
            break;
    }
    // Digits overwrite; nothing deletes or pastes, so the box always holds
    // the eight digits of an address.
    for (const char32_t c : TypedCharacters(key)) {
        model_.SetAddressCaret(CurrAdd->cursorPosition());
        model_.TypeAddress(c);
        Render();
        CurrAdd->setCursorPosition(model_.AddressCaret());
    }
    return true;
}

void THexEditor::OpenSearch() {
    TSearsForm dialog(model_, this);
    CentreOnOwner(&dialog, this);
    dialog.exec();
    Render();
}

void THexEditor::OpenFill() {
    TfrmFill dialog(model_, this);
    CentreOnOwner(&dialog, this);
    dialog.exec();
    Render();
}

void THexEditor::OpenCopy(bool move) {
    TfrmCopy dialog(model_, move ? CopyForm::Move : CopyForm::Copy, this);
    CentreOnOwner(&dialog, this);
    dialog.exec();
    Render();
}

void THexEditor::Render() {
    rendering_ = true;
    addresses_->Refresh();
    hexBytes_->Refresh();
    asciiBytes_->Refresh();
    const int row = model_.SelectedRow();
    const int col = model_.SelectedCol();
    for (QTableView* grid : {StringGrid1, StringGrid2, StringGrid3}) {
        const QModelIndex cell = grid->model()->index(row, grid == StringGrid2 ? 0 : col);
        grid->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    }
    {
        const QSignalBlocker quiet(ScrollBar1);
        ScrollBar1->setRange(0, model_.ScrollMaximum());
        ScrollBar1->setValue(model_.ScrollPosition());
    }
    const QString address = QString::fromStdString(model_.CurrAdd());
    if (CurrAdd->text() != address) {
        const int caret = CurrAdd->cursorPosition();
        CurrAdd->setText(address);
        CurrAdd->setCursorPosition(std::min(caret, 8));
    }
    CsumText->setText(QString::fromStdString(model_.CsumText()));
    BtUndo->setEnabled(model_.CanUndo());
    BtRedo->setEnabled(model_.CanRedo());
    rendering_ = false;
}

}  // namespace karvo::ui
