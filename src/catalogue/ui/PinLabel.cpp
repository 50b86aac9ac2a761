#include "catalogue/ui/PinLabel.h"

#include <QPainter>
#include <QPainterPath>

namespace karvo::ui {

namespace {
constexpr int kOutlineRoom = 2;
}

PinLabel::PinLabel(const QString& text, const QColor& colour, QWidget* parent)
    : QWidget(parent), text_(text), colour_(colour) {
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

bool PinLabel::Outlined() const {
    return colour_.lightness() > 160;
}

QSize PinLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text_) + 2 * kOutlineRoom,
            metrics.height() + 2 * kOutlineRoom};
}

void PinLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    QPainterPath path;
    path.addText(kOutlineRoom, kOutlineRoom + metrics.ascent(), font(), text_);
    if (Outlined()) {
        painter.strokePath(
            path, QPen(QColor(0x2A, 0x2E, 0x33), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    painter.fillPath(path, colour_);
}

}  // namespace karvo::ui
