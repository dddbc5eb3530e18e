#include "app/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(pictures::Picture picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (pixmap_.isNull() || pixmap_.devicePixelRatio() != devicePixelRatioF())
        pixmap_ = pictures::pixmap(picture_, devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, pixmap_);
}
