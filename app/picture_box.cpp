#include "picture_box.h"

#include <QPainter>

PictureBox::PictureBox(pictures::Picture picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    pictures::draw(picture_, painter);
}
