#include "common/ui/DialogPictures.h"

#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "common/ui/PaintedIcon.h"

namespace karvo::ui {

namespace {

// A thick stroke with a darker rim, so it reads on any button face.
void RimmedStroke(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& rim) {
    p.strokePath(path, QPen(rim, 7.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(path, QPen(fill, 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void DrawTick(QPainter& p) {
    QPainterPath tick;
    tick.moveTo(5, 17);
    tick.lineTo(12.5, 25);
    tick.lineTo(27, 7.5);
    RimmedStroke(p, tick, QColor(0x3C, 0xB0, 0x4E), QColor(0x1A, 0x5E, 0x2A));
}

void DrawCross(QPainter& p) {
    QPainterPath cross;
    cross.moveTo(7, 7);
    cross.lineTo(25, 25);
    cross.moveTo(25, 7);
    cross.lineTo(7, 25);
    RimmedStroke(p, cross, QColor(0xE0, 0x43, 0x1E), QColor(0x8E, 0x22, 0x0C));
}

void DrawStop(QPainter& p) {
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const double angle = (22.5 + 45.0 * i) * std::numbers::pi / 180.0;
        octagon << QPointF(16 + 14 * std::cos(angle), 16 + 14 * std::sin(angle));
    }
    p.setPen(QPen(QColor(0x8E, 0x22, 0x0C), 1.2));
    p.setBrush(QColor(0xD9, 0x30, 0x25));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 13.5, 16, 5), 1.2, 1.2);
}

}  // namespace

QIcon OkIcon() {
    return PaintedIcon(DrawTick);
}
QIcon CancelIcon() {
    return PaintedIcon(DrawCross);
}
QIcon AbortIcon() {
    return PaintedIcon(DrawStop);
}

}  // namespace karvo::ui
