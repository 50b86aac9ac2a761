#include "app/ui/LogView.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace karvo::ui {

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    setReadOnly(true);
    // A log is never edited, so its undo history would only grow.
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void LogView::AppendLine(const QString& line) {
    if (hasLines_ && document()->isEmpty()) {
        // The only line so far is empty; appendPlainText would write into it
        // instead of starting the second line.
        QScrollBar* bar = verticalScrollBar();
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock();
        cursor.insertText(line);
        bar->setValue(bar->maximum());
    } else {
        // Follows the end while the user has not scrolled away from it.
        appendPlainText(line);
    }
    hasLines_ = true;
}

void LogView::ClearLines() {
    clear();
    hasLines_ = false;
}

QStringList LogView::Lines() const {
    QStringList lines;
    if (!hasLines_) return lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        lines.append(block.text());
    }
    return lines;
}

}  // namespace karvo::ui
