#include "editor/ui/PageTableModel.h"

#include <QBrush>
#include <QColor>

namespace karvo::ui {

namespace {
// The byte whose first digit is typed and whose second is awaited.
const QColor kHalfTyped(0xFF, 0xE0, 0x80);
}  // namespace

PageTableModel::PageTableModel(const HexEditorModel& editor, Block block, QObject* parent)
    : QAbstractTableModel(parent), editor_(editor), block_(block) {}

int PageTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kEditorRows;
}

int PageTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return block_ == Block::Address ? 1 : kEditorColumns;
}

QVariant PageTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int col = index.column();
    switch (role) {
        case Qt::DisplayRole:
            switch (block_) {
                case Block::Address:
                    return QString::fromStdString(editor_.AddressCell(row));
                case Block::Hex:
                    return QString::fromStdString(editor_.HexCell(row, col));
                case Block::Ascii:
                    return QString::fromStdString(editor_.AsciiCell(row, col));
            }
            break;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        case Qt::BackgroundRole:
            if (block_ == Block::Hex && editor_.NibblePosition() == 2 &&
                row == editor_.SelectedRow() && col == editor_.SelectedCol()) {
                return QBrush(kHalfTyped);
            }
            break;
        default:
            break;
    }
    return {};
}

QVariant PageTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    // The low digit of each column's addresses.
    switch (block_) {
        case Block::Address:
            return QString();
        case Block::Hex:
            return QStringLiteral("%1").arg(section, 2, 16, QLatin1Char('0')).toUpper();
        case Block::Ascii:
            return QString::number(section, 16).toUpper();
    }
    return {};
}

void PageTableModel::Refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace karvo::ui
