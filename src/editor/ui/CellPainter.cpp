#include "editor/ui/CellPainter.h"

#include <QPainter>

namespace karvo::ui {

void CellPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group =
        option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid()) {
        painter->fillRect(option.rect, background.value<QBrush>());
    } else if (selected) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    }
    painter->setPen(option.palette.color(
        group, selected && !background.isValid() ? QPalette::HighlightedText : QPalette::Text));
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return;
    const QStaticText& laid = Laid(text, option.font);
    const QSizeF size = laid.size();
    painter->setFont(option.font);
    painter->drawStaticText(QPointF(option.rect.x() + (option.rect.width() - size.width()) / 2,
                                    option.rect.y() + (option.rect.height() - size.height()) / 2),
                            laid);
}

const QStaticText& CellPainter::Laid(const QString& text, const QFont& font) const {
    // The address column brings new texts with every page; never let them
    // pile up.
    constexpr qsizetype kMostKept = 1024;
    if (font != laidFont_ || laid_.size() > kMostKept) {
        laid_.clear();
        laidFont_ = font;
    }
    auto found = laid_.find(text);
    if (found == laid_.end()) {
        QStaticText fresh(text);
        fresh.setTextFormat(Qt::PlainText);
        fresh.setPerformanceHint(QStaticText::AggressiveCaching);
        fresh.prepare(QTransform(), font);
        found = laid_.insert(text, fresh);
    }
    return *found;
}

QSize CellPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return option.rect.size();
}

}  // namespace karvo::ui
