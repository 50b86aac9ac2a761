#include "catalogue/ui/IspHeaderPicture.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "catalogue/ui/IspPins.h"

namespace karvo::ui {

namespace {

// Geometry of the header on the canvas: a 2.54 mm pitch drawn large.
constexpr qreal kPitch = 46.0;
constexpr QPointF kHeaderCentre(232.0, 148.0);
constexpr qreal kPadSide = 30.0;
constexpr qreal kPinSide = 14.0;
constexpr qreal kMarkSide = 22.0;
constexpr qreal kBodyMargin = 30.0;
constexpr qreal kSilkGap = 8.0;

const QColor kBoardLight(0x2F, 0x7D, 0x4A);
const QColor kBoardDark(0x1B, 0x55, 0x31);
const QColor kTrace(0x3B, 0x93, 0x5C);
const QColor kSilk(0xEE, 0xEF, 0xE6);
const QColor kTin(0xC9, 0xCD, 0xD2);
const QColor kGoldLight(0xF8, 0xDC, 0x7E);
const QColor kGoldDark(0xB5, 0x83, 0x12);
const QColor kGoldEdge(0x7E, 0x5B, 0x0C);

QPointF PinCentre(int row, int column) {
    return {kHeaderCentre.x() + (column - 2) * kPitch,
            kHeaderCentre.y() + (row == 0 ? -kPitch / 2 : kPitch / 2)};
}

QRectF Square(QPointF centre, qreal side) {
    return {centre.x() - side / 2, centre.y() - side / 2, side, side};
}

QRectF BodyRect() {
    const QPointF topLeft = PinCentre(0, 0) - QPointF(kBodyMargin, kBodyMargin);
    const QPointF bottomRight = PinCentre(1, 4) + QPointF(kBodyMargin, kBodyMargin);
    return {topLeft, bottomRight};
}

void Board(QPainter& p) {
    QLinearGradient board(0, 0, kIspPictureWidth, kIspPictureHeight);
    board.setColorAt(0, kBoardLight);
    board.setColorAt(1, kBoardDark);
    p.fillRect(QRectF(0, 0, kIspPictureWidth, kIspPictureHeight), board);
}

void Via(QPainter& p, QPointF centre) {
    p.setPen(Qt::NoPen);
    p.setBrush(kTin);
    p.drawEllipse(centre, 5.5, 5.5);
    p.setBrush(QColor(0x14, 0x2E, 0x1D));
    p.drawEllipse(centre, 2.4, 2.4);
}

// Copper under the solder mask: a run from each wired pin off the board's edge.
void Traces(QPainter& p) {
    p.setPen(QPen(kTrace, 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (int column = 0; column < 5; ++column) {
        const qreal x = PinCentre(0, column).x();
        const qreal shift = (column - 2) * 14.0;
        if (kUpperRowMarks[static_cast<std::size_t>(column)] >= 0) {
            QPainterPath up;
            up.moveTo(x, PinCentre(0, column).y());
            up.lineTo(x, 44);
            up.lineTo(x + shift, 44 - std::abs(shift));
            up.lineTo(x + shift, -10);
            p.drawPath(up);
        }
        if (kLowerRowMarks[static_cast<std::size_t>(column)] >= 0) {
            QPainterPath down;
            down.moveTo(x, PinCentre(1, column).y());
            down.lineTo(x, 252);
            down.lineTo(x + shift, 252 + std::abs(shift));
            down.lineTo(x + shift, kIspPictureHeight + 10);
            p.drawPath(down);
        }
    }
    // The two ground pins share a wide run to the ground plane.
    for (const auto& [pin, via] : {std::pair{PinCentre(1, 0), QPointF(-62, 0)},
                                   std::pair{PinCentre(1, 4), QPointF(70, 0)}}) {
        p.setPen(QPen(kTrace, 10.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(pin, pin + via);
        Via(p, pin + via);
    }
}

void MountingHole(QPainter& p, QPointF centre) {
    p.setPen(Qt::NoPen);
    p.setBrush(kTin);
    p.drawEllipse(centre, 17, 17);
    QRadialGradient hole(centre, 10);
    hole.setColorAt(0, QColor(0x05, 0x08, 0x06));
    hole.setColorAt(1, QColor(0x2A, 0x2E, 0x2B));
    p.setBrush(hole);
    p.drawEllipse(centre, 10, 10);
}

// A two-terminal surface-mount part (resistor or capacitor), tin ends.
void SmdPart(QPainter& p, QPointF centre, bool upright, const QColor& body) {
    const QSizeF size = upright ? QSizeF(14, 30) : QSizeF(30, 14);
    const QRectF part(centre - QPointF(size.width() / 2, size.height() / 2), size);
    p.setPen(Qt::NoPen);
    p.setBrush(kTin);
    p.drawRect(part);
    p.setBrush(body);
    p.drawRect(upright ? part.adjusted(0, 8, 0, -8) : part.adjusted(8, 0, -8, 0));
    p.setPen(QPen(kSilk, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(part.adjusted(-4, -4, 4, 4));
}

void Silkscreen(QPainter& p) {
    const QRectF outline = BodyRect().adjusted(-kSilkGap, -kSilkGap, kSilkGap, kSilkGap);
    p.setPen(QPen(kSilk, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    // The gap in the lower side is where the socket's key goes.
    const qreal keyHalf = 22.0;
    const qreal midX = outline.center().x();
    QPainterPath path;
    path.moveTo(midX - keyHalf, outline.bottom());
    path.lineTo(outline.bottomLeft());
    path.lineTo(outline.topLeft());
    path.lineTo(outline.topRight());
    path.lineTo(outline.bottomRight());
    path.lineTo(midX + keyHalf, outline.bottom());
    path.lineTo(midX + keyHalf, outline.bottom() - 8);
    path.lineTo(midX - keyHalf, outline.bottom() - 8);
    path.closeSubpath();
    p.drawPath(path);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kSilk);
    p.drawText(QRectF(8, outline.top() - 2, outline.left() - 44, 30), Qt::AlignLeft,
               QStringLiteral("ISP"));
}

void Header(QPainter& p) {
    const QRectF body = BodyRect();
    // A soft shadow lifts the plastic off the board.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(body.translated(3, 4), 4, 4);
    QLinearGradient plastic(body.topLeft(), body.bottomLeft());
    plastic.setColorAt(0, QColor(0x3A, 0x3D, 0x41));
    plastic.setColorAt(1, QColor(0x1C, 0x1E, 0x21));
    p.setBrush(plastic);
    p.setPen(QPen(QColor(0x0B, 0x0C, 0x0D), 1.5));
    p.drawRoundedRect(body, 4, 4);

    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QPointF centre = PinCentre(row, column);
            p.setPen(QPen(QColor(0x4A, 0x4E, 0x53), 1.2));
            p.setBrush(QColor(0x12, 0x13, 0x15));
            p.drawRect(Square(centre, kPadSide));
            const QRectF pin = Square(centre, kPinSide);
            QLinearGradient gold(pin.topLeft(), pin.bottomRight());
            gold.setColorAt(0, kGoldLight);
            gold.setColorAt(1, kGoldDark);
            p.setPen(QPen(kGoldEdge, 1.0));
            p.setBrush(gold);
            p.drawRect(pin);
            p.setPen(QPen(QColor(255, 255, 255, 140), 1.2));
            p.drawLine(pin.topLeft() + QPointF(2, 2), pin.topRight() + QPointF(-2, 2));
        }
    }
}

// A coloured square beside a pin, with a rim that sets it off from the board
// whatever its colour.
void Mark(QPainter& p, const QRectF& mark, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRect(mark.translated(2, 2));
    const bool light = colour.lightness() > 160;
    p.setPen(QPen(light ? QColor(0x30, 0x30, 0x30) : QColor(0xF4, 0xF4, 0xF0), 2.0));
    p.setBrush(colour);
    p.drawRect(mark);
}

void Marks(QPainter& p) {
    for (int column = 0; column < 5; ++column) {
        const auto index = static_cast<std::size_t>(column);
        if (const int upper = kUpperRowMarks[index]; upper >= 0) {
            Mark(p, IspMarkRect(0, column), kIspPins[static_cast<std::size_t>(upper)].colour);
        }
        if (const int lower = kLowerRowMarks[index]; lower >= 0) {
            Mark(p, IspMarkRect(1, column), kIspPins[static_cast<std::size_t>(lower)].colour);
        }
    }
}

}  // namespace

QRectF IspMarkRect(int row, int column) {
    // Outside the silk-screen outline, clear of the header's body.
    const qreal offset = kPitch / 2 + kBodyMargin + kSilkGap + kMarkSide / 2 + 6;
    const qreal y = kHeaderCentre.y() + (row == 0 ? -offset : offset);
    return Square(QPointF(PinCentre(row, column).x(), y), kMarkSide);
}

void DrawIspHeader(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(QRectF(0, 0, kIspPictureWidth, kIspPictureHeight));
    Board(painter);
    Traces(painter);
    MountingHole(painter, QPointF(34, 34));
    MountingHole(painter, QPointF(34, kIspPictureHeight - 34));
    SmdPart(painter, QPointF(396, 70), true, QColor(0x1A, 0x1A, 0x1A));
    SmdPart(painter, QPointF(396, 226), true, QColor(0xB8, 0x9A, 0x6A));
    Silkscreen(painter);
    Header(painter);
    Marks(painter);
    painter.restore();
}

IspHeaderView::IspHeaderView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
}

void IspHeaderView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal scale =
        std::min(width() / qreal(kIspPictureWidth), height() / qreal(kIspPictureHeight));
    painter.translate((width() - kIspPictureWidth * scale) / 2,
                      (height() - kIspPictureHeight * scale) / 2);
    painter.scale(scale, scale);
    DrawIspHeader(painter);
}

}  // namespace karvo::ui
