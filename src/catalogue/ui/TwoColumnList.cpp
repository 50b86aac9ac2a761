#include "catalogue/ui/TwoColumnList.h"

#include <algorithm>

#include <QResizeEvent>

namespace karvo::ui {

TwoColumnList::TwoColumnList(QWidget* parent) : QListWidget(parent) {
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FitColumns();
}

void TwoColumnList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    FitColumns();
}

void TwoColumnList::FitColumns() {
    // Each column half the visible width; a row as high as the font needs.
    const int rowHeight = fontMetrics().height() + 4;
    const int columnWidth = std::max(1, viewport()->width() / 2);
    if (gridSize() != QSize(columnWidth, rowHeight)) setGridSize(QSize(columnWidth, rowHeight));
}

}  // namespace karvo::ui
