#pragma once
#include <QDialog>

#include "editor/HexEditorModel.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableView;

namespace karvo::ui {

class PageTableModel;

// The hex editor window over its HexEditorModel: the address column, the
// hex and ASCII blocks, the scroll bar, the address box, the checksum and the
// tool buttons. Every key and click goes to the model, and the window is then
// shown again from it.
class THexEditor final : public QDialog {
    Q_OBJECT

  public:
    THexEditor(HexEditorModel& model, QWidget* owner);

    HexEditorModel& Model() { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Grid { Address, Hex, Ascii };

    QTableView* MakeGrid(PageTableModel* model, const char* name, int cellWidth, const QFont& font);
    QPushButton* MakeButton(const char* caption, const char* name);
    // A key pressed in one of the grids; true when it was the editor's.
    bool GridKey(Grid grid, const class QKeyEvent* key);
    // A key pressed in the address box; true when it was the editor's.
    bool AddressKey(const class QKeyEvent* key);
    bool UndoRedoKey(const class QKeyEvent* key);
    void OpenSearch();
    void OpenFill();
    void OpenCopy(bool move);
    // Shows the model: the three grids, the selection, the scroll bar, the
    // address box, the checksum and what may be undone.
    void Render();

    HexEditorModel& model_;
    PageTableModel* addresses_ = nullptr;
    PageTableModel* hexBytes_ = nullptr;
    PageTableModel* asciiBytes_ = nullptr;
    QTableView* StringGrid1 = nullptr;
    QTableView* StringGrid2 = nullptr;
    QTableView* StringGrid3 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QLineEdit* CurrAdd = nullptr;
    QLabel* CsumText = nullptr;
    QPushButton* Home = nullptr;
    QPushButton* Search = nullptr;
    QPushButton* Again = nullptr;
    QPushButton* Fill = nullptr;
    QPushButton* BtCopy = nullptr;
    QPushButton* BtMove = nullptr;
    QPushButton* BtUndo = nullptr;
    QPushButton* BtRedo = nullptr;
    QPushButton* BitBtn1 = nullptr;
    // Set while the window shows the model, so that the views' own
    // notices of what it set are not taken for the user's clicks.
    bool rendering_ = false;
};

}  // namespace karvo::ui
