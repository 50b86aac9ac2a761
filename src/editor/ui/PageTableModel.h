#pragma once
#include <QAbstractTableModel>

#include "editor/HexEditorModel.h"

namespace karvo::ui {

// One of the editor's three grids as Qt's views read it: a view of the page
// the editor model shows, never a store of its own.
class PageTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum class Block { Address, Hex, Ascii };

    PageTableModel(const HexEditorModel& editor, Block block, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The page (or its bytes) changed: every cell is read again.
    void Refresh();

  private:
    const HexEditorModel& editor_;
    Block block_;
};

}  // namespace karvo::ui
