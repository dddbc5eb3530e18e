#include "sunken_border.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

void setSunkenBorderColours(QPalette& palette)
{
    palette.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Midlight, QColor(0xC0, 0xC0, 0xC0));
}

void drawSunkenBorder(QPainter& painter, const QRect& rect, const QPalette& palette)
{
    qDrawWinPanel(&painter, rect, palette, true);
}
