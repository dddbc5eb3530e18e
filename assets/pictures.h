#pragma once

#include "picture_files.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>

class QPainter;

// The drill's pictures, drawn as vector sources and rendered at the screen's
// device pixel ratio when asked for, so that none of them is ever blurred by
// stretching a small bitmap.
namespace pictures {

using vendaro::layout::Picture;

// Size in device-independent pixels, as the picture table gives it.
QSize logicalSize(Picture picture);

// Rendered at logicalSize * devicePixelRatio, with that ratio set on the pixmap.
QPixmap pixmap(Picture picture, qreal devicePixelRatio);

// Any SVG source rendered the same way. One that does not load gives a
// transparent pixmap and is said once on the vendaro.assets logging category.
QPixmap rendered(const QString& path, QSize logical, qreal devicePixelRatio);

// Draws a picture at its logical size from the painter's origin. The board is
// drawn this way on every paint rather than kept as a pixmap of nearly 2 MB;
// its source is read once.
void draw(Picture picture, QPainter& painter);

// Pointer for the addition boxes; its hot spot is the pencil tip.
QCursor writingHandCursor(qreal devicePixelRatio);

// Pointer for the click areas; its hot spot is the fingertip, column 12 row 1 of 32.
QCursor pointingHandCursor(qreal devicePixelRatio);

// The window's icon at 16 to 128 pixels: window managers ask for no more, and the
// installed icon theme carries the larger sizes. Each size costs start-up time.
QIcon programIcon();

} // namespace pictures
