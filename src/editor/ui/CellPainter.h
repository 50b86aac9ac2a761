#pragma once
#include <QAbstractItemDelegate>
#include <QHash>
#include <QStaticText>

namespace karvo::ui {

// Paints the editor's cells: two digits or one character, centred, on the
// selection's colour or on the half-typed byte's. Nothing else a cell could
// show is needed, and a Page Down repaints 528 cells, so the style's general
// item painting, with its text layout per cell, is left out: each text is
// laid out once and kept, and a grid shows at most 256 different ones.
class CellPainter final : public QAbstractItemDelegate {
    Q_OBJECT

  public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    const QStaticText& Laid(const QString& text, const QFont& font) const;

    mutable QHash<QString, QStaticText> laid_;
    mutable QFont laidFont_;
};

}  // namespace karvo::ui
