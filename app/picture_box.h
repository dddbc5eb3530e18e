#pragma once

#include "assets/pictures.h"

#include <QWidget>

// One picture of the board, rendered for the screen it is on when first painted.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    PictureBox(pictures::Picture picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    pictures::Picture picture_;
    QPixmap pixmap_;
};
