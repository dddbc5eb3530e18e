#include "board_label.h"

#include "sunken_border.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kBorder = 2;
}

BoardLabel::BoardLabel(bool sunkenBorder, QWidget* parent) : QLabel(parent), sunkenBorder_(sunkenBorder)
{
    if (sunkenBorder_)
        setContentsMargins(kBorder, kBorder, kBorder, kBorder);
}

void BoardLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void BoardLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click && isEnabled())
        emit clicked();
}

void BoardLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (sunkenBorder_) {
        QPainter painter(this);
        drawSunkenBorder(painter, rect(), palette());
    }
}
