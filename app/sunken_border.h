#pragma once

class QPainter;
class QPalette;
class QRect;

// The two-pixel sunken 3-D border of the boxes and table squares: grey and
// black above and to the left, white and silver below and to the right.
void setSunkenBorderColours(QPalette& palette);
void drawSunkenBorder(QPainter& painter, const QRect& rect, const QPalette& palette);
