#pragma once

#include "pictures.h"

#include <QWidget>

// One picture of the board, drawn from its vector source at every paint: sharp at
// any pixel ratio, and no pixmap kept.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    PictureBox(pictures::Picture picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    pictures::Picture picture_;
};
