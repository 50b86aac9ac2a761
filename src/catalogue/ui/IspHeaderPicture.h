#pragma once
#include <QRectF>
#include <QWidget>

class QPainter;

namespace karvo::ui {

// The picture's own canvas; it is scaled to whatever space it is given.
inline constexpr int kIspPictureWidth = 440;
inline constexpr int kIspPictureHeight = 289;

// The programmer's board around its in-system-programming header, as a
// technical drawing: green board, the two-row, five-pin header, and a
// coloured mark beside every pin that matters. Draws on a canvas of
// kIspPictureWidth × kIspPictureHeight.
void DrawIspHeader(QPainter& painter);

// Where the mark beside a pin sits on that canvas; row 0 is the upper row,
// column 0 the leftmost pin.
QRectF IspMarkRect(int row, int column);

// Shows DrawIspHeader scaled to fit, centred, sharp at any size.
class IspHeaderView final : public QWidget {
    Q_OBJECT

  public:
    explicit IspHeaderView(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace karvo::ui
