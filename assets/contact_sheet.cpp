// Writes one PNG with every picture and pointer at ratios 1 and 2 on the
// board's colour, for reviewing the drawings. Usage: vendaro_contact_sheet OUT.png

#include "pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using pictures::Picture;

constexpr int gap = 16;
const QColor boardColour(0x00, 0x80, 0x80);
const QColor hotSpotMark(0xFF, 0x00, 0xFF);

struct Tile {
    QImage image;
    QPoint hotSpot{-1, -1}; // device pixels; marked with ticks beside the tile
};

Tile tile(const QPixmap& pixmap)
{
    QImage image = pixmap.toImage();
    image.setDevicePixelRatio(1); // show device pixels one to one
    return {image};
}

Tile tile(const QCursor& cursor)
{
    Tile result = tile(cursor.pixmap());
    result.hotSpot = (QPointF(cursor.hotSpot()) * cursor.pixmap().devicePixelRatio()).toPoint();
    return result;
}

std::vector<Tile> smallPictures(qreal ratio)
{
    std::vector<Tile> row;
    for (Picture p : {Picture::AdditionArrows, Picture::SubtractionArrows, Picture::WaitingFace, Picture::RightFace,
                      Picture::WrongFace}) {
        row.push_back(tile(pictures::pixmap(p, ratio)));
    }
    row.push_back(tile(pictures::writingHandCursor(ratio)));
    row.push_back(tile(pictures::pointingHandCursor(ratio)));
    const int iconSide = qRound(32 * ratio);
    row.push_back(tile(pictures::programIcon().pixmap(iconSide, iconSide)));
    return row;
}

QSize rowSize(const std::vector<Tile>& row)
{
    int width = 0;
    int height = 0;
    for (const Tile& t : row) {
        width += t.image.width() + gap;
        height = std::max(height, t.image.height());
    }
    return {width, height};
}

void markHotSpot(QPainter& painter, QPoint origin, QPoint hotSpot)
{
    painter.fillRect(origin.x() + hotSpot.x(), origin.y() - 6, 1, 4, hotSpotMark);
    painter.fillRect(origin.x() - 6, origin.y() + hotSpot.y(), 4, 1, hotSpotMark);
}

QImage sheet(const std::vector<std::vector<Tile>>& rows)
{
    QSize size(0, gap);
    for (const auto& row : rows) {
        const QSize s = rowSize(row);
        size = {std::max(size.width(), s.width() + gap), size.height() + s.height() + gap};
    }
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(boardColour);
    QPainter painter(&result);
    int y = gap;
    for (const auto& row : rows) {
        int x = gap;
        for (const Tile& t : row) {
            painter.drawImage(x, y, t.image);
            if (t.hotSpot.x() >= 0) {
                markHotSpot(painter, {x, y}, t.hotSpot);
            }
            x += t.image.width() + gap;
        }
        y += rowSize(row).height() + gap;
    }
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const std::vector<std::vector<Tile>> rows{
        smallPictures(1),
        smallPictures(2),
        {tile(pictures::pixmap(Picture::Board, 1)), tile(pictures::pixmap(Picture::Board, 2))},
    };
    if (!sheet(rows).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
