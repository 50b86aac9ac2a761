#include "common/ui/PaintedIcon.h"

#include <map>
#include <tuple>

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace karvo::ui {

namespace {

// Greys the picture and lets the background show through, like a command
// that is present but not available now.
void Fade(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(line[x]);
            const int alpha = colour.alpha() * 11 / 20;
            const int grey = 72 + qGray(colour.rgb()) * 5 / 8;
            line[x] = qRgba(grey, grey, grey, alpha);
        }
    }
}

class PaintedIconEngine final : public QIconEngine {
  public:
    explicit PaintedIconEngine(PictureFunction draw) : draw_(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale =
            painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        const bool faded = mode == QIcon::Disabled;
        const QSize pixels = size * scale;
        const auto key = std::make_tuple(pixels.width(), pixels.height(), faded);
        if (auto cached = cache_.find(key); cached != cache_.end()) return cached->second;

        QImage image(pixels, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(pixels.width() / kPictureGrid, pixels.height() / kPictureGrid);
            draw_(painter);
        }
        if (faded) Fade(image);
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(scale);
        cache_.emplace(key, pixmap);
        return pixmap;
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(draw_); }
    QString key() const override { return QStringLiteral("karvo.painted"); }

  private:
    PictureFunction draw_;
    // Buttons repaint on every hover; the picture only changes with the size.
    std::map<std::tuple<int, int, bool>, QPixmap> cache_;
};

}  // namespace

QIcon PaintedIcon(PictureFunction draw) {
    return QIcon(new PaintedIconEngine(draw));
}

}  // namespace karvo::ui
