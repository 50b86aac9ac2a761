#include "app/ui/ToolbarPictures.h"

#include <array>
#include <cmath>
#include <numbers>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "common/ui/PaintedIcon.h"

namespace karvo::ui {

namespace {

// One palette for all pictures so they read as a set.
struct Palette {
    QColor chipTop{0x5B, 0x62, 0x6E};
    QColor chipBottom{0x2C, 0x31, 0x39};
    QColor chipLine{0x17, 0x1A, 0x1F};
    QColor pin{0xD3, 0xD8, 0xDF};
    QColor pinLine{0x7E, 0x86, 0x91};
    QColor greenTop{0x5C, 0xC2, 0x6E};
    QColor greenBottom{0x2E, 0x8B, 0x43};
    QColor greenLine{0x1A, 0x5E, 0x2A};
    QColor redTop{0xFF, 0x8A, 0x50};
    QColor redBottom{0xE0, 0x43, 0x1E};
    QColor redLine{0x98, 0x2A, 0x10};
    QColor blueTop{0x4D, 0x8F, 0xE6};
    QColor blueBottom{0x1E, 0x5B, 0xB5};
    QColor blueLine{0x14, 0x3D, 0x7C};
    QColor ink{0x26, 0x32, 0x38};
};
const Palette kColours;

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& from, const QColor& to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

void Fill(QPainter& p, const QPainterPath& path, const QBrush& brush, const QColor& line,
          qreal width = 1.0) {
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(brush);
    p.drawPath(path);
}

QPainterPath RoundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// A DIP package seen from above: pins down both long sides, the notch and
// the pin-1 mark at the top.
void Chip(QPainter& p, const QRectF& body, int pinsPerSide) {
    const qreal pitch = body.height() / pinsPerSide;
    for (int i = 0; i < pinsPerSide; ++i) {
        const qreal y = body.top() + pitch * (i + 0.5);
        for (const qreal x : {body.left() - 3.6, body.right() - 0.2}) {
            Fill(p, RoundedRect(QRectF(x, y - 1.2, 3.8, 2.4), 0.4), kColours.pin, kColours.pinLine,
                 0.7);
        }
    }
    Fill(p, RoundedRect(body, 1.4),
         Vertical(body.top(), body.bottom(), kColours.chipTop, kColours.chipBottom),
         kColours.chipLine);
    // Notch and pin-1 dot.
    QPainterPath notch;
    notch.moveTo(body.center().x() - 2.2, body.top() + 0.5);
    notch.arcTo(QRectF(body.center().x() - 2.2, body.top() - 1.7, 4.4, 4.4), 180, 180);
    notch.closeSubpath();
    Fill(p, notch, kColours.chipLine, kColours.chipLine, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9A, 0xA3, 0xAF));
    p.drawEllipse(QPointF(body.left() + 2.6, body.top() + 3.4), 1.0, 1.0);
    // A soft highlight along the top edge gives the body some depth.
    p.setPen(QPen(QColor(255, 255, 255, 60), 0.8));
    p.drawLine(QPointF(body.left() + 1.2, body.top() + 0.9),
               QPointF(body.right() - 1.2, body.top() + 0.9));
}

// A straight block arrow from tail to tip, with a white rim so it stands out
// against whatever lies under it.
void Arrow(QPainter& p, QPointF tail, QPointF tip, const QColor& top, const QColor& bottom,
           const QColor& line) {
    const QPointF along = tip - tail;
    const qreal length = std::hypot(along.x(), along.y());
    const QPointF u = along / length;
    const QPointF n(-u.y(), u.x());
    const qreal shaft = 2.6;
    const qreal head = 6.4;
    const qreal headLength = 7.0;
    const QPointF neck = tip - u * headLength;
    const QPainterPath arrow = Polygon({tail + n * shaft, neck + n * shaft, neck + n * head, tip,
                                        neck - n * head, neck - n * shaft, tail - n * shaft});
    p.strokePath(arrow,
                 QPen(QColor(255, 255, 255, 230), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Fill(p, arrow, Vertical(std::min(tail.y(), tip.y()), std::max(tail.y(), tip.y()), top, bottom),
         line);
}

// A round badge with a tick, bottom right.
void TickBadge(QPainter& p, QPointF centre, qreal radius) {
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    p.strokePath(disc, QPen(Qt::white, 2.4));
    Fill(
        p, disc,
        Vertical(centre.y() - radius, centre.y() + radius, kColours.greenTop, kColours.greenBottom),
        kColours.greenLine);
    QPainterPath tick;
    tick.moveTo(centre + QPointF(-radius * 0.48, 0.05 * radius));
    tick.lineTo(centre + QPointF(-radius * 0.12, radius * 0.42));
    tick.lineTo(centre + QPointF(radius * 0.5, -radius * 0.38));
    p.strokePath(tick, QPen(Qt::white, radius * 0.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void DrawSelect(QPainter& p) {
    Chip(p, QRectF(7.5, 3, 16, 25), 5);
    // A mouse pointer picking the chip.
    QPainterPath pointer =
        Polygon({{0, 0}, {0, 14}, {3.5, 10.8}, {6, 16.3}, {8.6, 15.2}, {6.2, 9.9}, {10.6, 9.9}});
    pointer.translate(18.5, 13.0);
    p.strokePath(pointer,
                 QPen(QColor(255, 255, 255, 200), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Fill(p, pointer, Vertical(13, 29, Qt::white, QColor(0xDD, 0xE3, 0xEA)), Qt::black, 1.1);
}

void DrawLoad(QPainter& p) {
    const QColor line(0x8F, 0x5B, 0x0C);
    Fill(p, Polygon({{3, 7}, {11, 7}, {13.5, 9.5}, {27, 9.5}, {27, 26}, {3, 26}}),
         Vertical(7, 26, QColor(0xE7, 0xA6, 0x38), QColor(0xC2, 0x7E, 0x16)), line);
    // The file being taken out.
    Fill(p, RoundedRect(QRectF(7, 4, 16, 15), 0.8), QColor(0xFB, 0xFC, 0xFD),
         QColor(0x8A, 0x96, 0xA3), 0.9);
    p.setPen(QPen(QColor(0x7A, 0x95, 0xB8), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {7.5, 10.5, 13.5}) p.drawLine(QPointF(10, y), QPointF(20, y));
    Fill(p, Polygon({{3, 26}, {7.5, 13.5}, {31, 13.5}, {27, 26}}),
         Vertical(13.5, 26, QColor(0xFF, 0xDB, 0x7A), QColor(0xF4, 0xB1, 0x34)), line);
}

void DrawSave(QPainter& p) {
    Fill(p, Polygon({{4.5, 4}, {24, 4}, {28, 8}, {28, 28}, {4.5, 28}}),
         Vertical(4, 28, kColours.blueTop, kColours.blueBottom), kColours.blueLine, 1.1);
    // Metal shutter with its window.
    Fill(p, RoundedRect(QRectF(9.5, 4, 13, 9), 0.6),
         Vertical(4, 13, QColor(0xEC, 0xEF, 0xF3), QColor(0xB4, 0xBE, 0xCA)),
         QColor(0x6F, 0x7A, 0x88), 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0x44, 0x52));
    p.drawRoundedRect(QRectF(17.5, 5.6, 3, 5.8), 0.5, 0.5);
    // Label.
    Fill(p, RoundedRect(QRectF(8, 16, 16.5, 12), 1.0), QColor(0xF8, 0xF8, 0xF4),
         QColor(0x9A, 0xA5, 0xB1), 0.8);
    p.setPen(QPen(QColor(0x8F, 0xA3, 0xBF), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {19.5, 22.5, 25.5}) p.drawLine(QPointF(10.5, y), QPointF(22, y));
}

void DrawEdit(QPainter& p) {
    // A page of hex bytes.
    Fill(p, Polygon({{5, 3}, {18.5, 3}, {24, 8.5}, {24, 29}, {5, 29}}),
         Vertical(3, 29, Qt::white, QColor(0xE8, 0xEC, 0xF1)), QColor(0x80, 0x8C, 0x99));
    Fill(p, Polygon({{18.5, 3}, {18.5, 8.5}, {24, 8.5}}), QColor(0xD2, 0xD9, 0xE1),
         QColor(0x80, 0x8C, 0x99), 0.8);
    p.setPen(QPen(QColor(0x6E, 0x80, 0x96), 1.7, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {12.0, 16.0, 20.0, 24.0}) {
        p.drawLine(QPointF(8.5, y), QPointF(11.5, y));
        p.drawLine(QPointF(14, y), QPointF(17, y));
    }
    // The pencil, point down to the left.
    p.save();
    p.translate(21.5, 15.0);
    p.rotate(135);
    const QColor line(0x7A, 0x5A, 0x00);
    Fill(p, RoundedRect(QRectF(-15, -2.6, 3.4, 5.2), 1.2), QColor(0xF2, 0x8B, 0x9E), line, 0.8);
    Fill(p, RoundedRect(QRectF(-12, -2.6, 2.4, 5.2), 0.2),
         Vertical(-2.6, 2.6, QColor(0xE6, 0xEA, 0xEF), QColor(0x9A, 0xA3, 0xAE)), line, 0.8);
    Fill(p, RoundedRect(QRectF(-9.6, -2.6, 17.6, 5.2), 0.2),
         Vertical(-2.6, 2.6, QColor(0xFF, 0xD5, 0x4F), QColor(0xE8, 0xA2, 0x00)), line, 0.8);
    Fill(p, Polygon({{8, -2.6}, {13.5, 0}, {8, 2.6}}), QColor(0xF3, 0xD6, 0xAA), line, 0.8);
    Fill(p, Polygon({{11.6, -0.9}, {13.5, 0}, {11.6, 0.9}}), kColours.ink, kColours.ink, 0.6);
    p.restore();
}

void DrawConfig(QPainter& p) {
    // A four-way DIP switch, levers up and down.
    constexpr std::array<bool, 4> kOn = {true, false, true, true};
    for (int i = 0; i < 4; ++i) {
        const qreal x = 8.0 + i * 5.4;
        for (const qreal y : {5.0, 24.0}) {
            Fill(p, RoundedRect(QRectF(x - 0.9, y, 1.8, 3.2), 0.3), kColours.pin, kColours.pinLine,
                 0.6);
        }
    }
    Fill(p, RoundedRect(QRectF(3, 7.5, 26, 17), 1.6),
         Vertical(7.5, 24.5, QColor(0xF0, 0x4E, 0x45), QColor(0xB8, 0x1E, 0x1E)),
         QColor(0x7A, 0x10, 0x10), 1.0);
    for (int i = 0; i < 4; ++i) {
        const qreal x = 8.0 + i * 5.4;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4A, 0x0C, 0x0C));
        p.drawRoundedRect(QRectF(x - 1.9, 10.5, 3.8, 11), 0.7, 0.7);
        const qreal top = kOn[static_cast<std::size_t>(i)] ? 11.0 : 16.0;
        Fill(p, RoundedRect(QRectF(x - 1.5, top, 3.0, 5.0), 0.5),
             Vertical(top, top + 5, Qt::white, QColor(0xD5, 0xD8, 0xDC)), QColor(0x70, 0x70, 0x70),
             0.6);
    }
}

void DrawBlank(QPainter& p) {
    Chip(p, QRectF(6.5, 3, 16, 25), 5);
    TickBadge(p, QPointF(23.5, 22.5), 7.0);
}

void DrawRead(QPainter& p) {
    Chip(p, QRectF(8.5, 13, 15, 17), 3);
    Arrow(p, QPointF(16, 23), QPointF(16, 1), kColours.greenTop, kColours.greenBottom,
          kColours.greenLine);
}

void DrawProg(QPainter& p) {
    Chip(p, QRectF(8.5, 13, 15, 17), 3);
    Arrow(p, QPointF(16, 1), QPointF(16, 24), kColours.redTop, kColours.redBottom,
          kColours.redLine);
}

void DrawVerify(QPainter& p) {
    Chip(p, QRectF(5.5, 3, 15, 22), 4);
    // A magnifier whose lens shows the tick.
    p.setPen(QPen(kColours.ink, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 24.5), QPointF(29.5, 29.5));
    p.setPen(QPen(QColor(0x60, 0x70, 0x7A), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25.4, 25), QPointF(29, 29));
    QPainterPath lens;
    lens.addEllipse(QPointF(20, 19), 7.2, 7.2);
    p.strokePath(lens, QPen(QColor(255, 255, 255, 220), 4.6));
    Fill(p, lens, QColor(0xDC, 0xEE, 0xFF, 215), kColours.ink, 2.2);
    QPainterPath tick;
    tick.moveTo(16.6, 19.2);
    tick.lineTo(19.2, 21.8);
    tick.lineTo(23.6, 16.4);
    p.strokePath(tick, QPen(kColours.greenBottom, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void DrawErase(QPainter& p) {
    Chip(p, QRectF(8.5, 13, 15, 17), 3);
    // The quartz window of an EPROM under an ultraviolet lamp.
    QPainterPath window;
    window.addEllipse(QPointF(16, 21.5), 3.4, 3.4);
    QRadialGradient quartz(QPointF(15, 20.5), 3.6);
    quartz.setColorAt(0, QColor(0xE8, 0xDD, 0xFF));
    quartz.setColorAt(1, QColor(0x8C, 0x6B, 0xD9));
    Fill(p, window, quartz, QColor(0x2A, 0x1F, 0x4D), 0.8);
    p.setPen(QPen(QColor(0x8E, 0x5C, 0xF0), 1.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 7.5), QPointF(12, 11));
    p.drawLine(QPointF(16, 7.5), QPointF(16, 11));
    p.drawLine(QPointF(22.5, 7.5), QPointF(20, 11));
    Fill(p, RoundedRect(QRectF(4.5, 1.5, 23, 4.4), 2.2),
         Vertical(1.5, 5.9, QColor(0xD1, 0xB8, 0xFF), QColor(0x74, 0x3C, 0xE8)),
         QColor(0x3E, 0x1F, 0x8F), 0.9);
}

void DrawOption(QPainter& p) {
    // A gear: eight teeth round a hub.
    constexpr int kTeeth = 8;
    constexpr qreal kOuter = 14.0;
    constexpr qreal kRoot = 10.4;
    const QPointF centre(16, 16);
    QPolygonF outline;
    for (int i = 0; i < kTeeth; ++i) {
        const qreal base = 2 * std::numbers::pi * i / kTeeth;
        const qreal step = 2 * std::numbers::pi / kTeeth;
        const auto at = [&](qreal radius, qreal angle) {
            return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        };
        outline << at(kRoot, base - step * 0.30) << at(kOuter, base - step * 0.17)
                << at(kOuter, base + step * 0.17) << at(kRoot, base + step * 0.30);
    }
    QPainterPath gear;
    gear.addPolygon(outline);
    gear.closeSubpath();
    gear.addEllipse(centre, 4.6, 4.6);
    gear.setFillRule(Qt::OddEvenFill);
    Fill(p, gear, Vertical(2, 30, QColor(0x9C, 0xB2, 0xC4), QColor(0x4A, 0x62, 0x76)),
         QColor(0x22, 0x33, 0x42), 1.0);
    QPainterPath ring;
    ring.addEllipse(centre, 7.6, 7.6);
    p.strokePath(ring, QPen(QColor(255, 255, 255, 70), 1.0));
}

void DrawApplication(QPainter& p) {
    Chip(p, QRectF(8, 2, 16, 28), 6);
}

constexpr std::array<PictureFunction, kToolButtonCount> kPictures = {
    DrawSelect, DrawLoad, DrawSave,   DrawEdit,  DrawConfig, DrawBlank,
    DrawRead,   DrawProg, DrawVerify, DrawErase, DrawOption};

}  // namespace

QIcon ToolbarIcon(ToolButton button) {
    return PaintedIcon(kPictures[static_cast<std::size_t>(button)]);
}

QIcon ApplicationIcon() {
    return PaintedIcon(DrawApplication);
}

}  // namespace karvo::ui
