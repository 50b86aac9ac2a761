#pragma once
#include <QIcon>

class QPainter;

namespace karvo::ui {

// Draws one picture on a 32 × 32 grid, antialiased, onto a transparent
// background.
using PictureFunction = void (*)(QPainter&);

// An icon drawn by code at whatever size and pixel ratio it is asked for, so
// it stays sharp everywhere; its disabled form is a faded grey of the same
// picture.
QIcon PaintedIcon(PictureFunction draw);

// The side of the grid a PictureFunction draws on.
inline constexpr qreal kPictureGrid = 32.0;

}  // namespace karvo::ui
