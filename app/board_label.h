#pragma once

#include <QLabel>

// A label of the board. Table squares draw the sunken border; the click areas
// report a left click (press and release inside) while they are enabled.
class BoardLabel final : public QLabel {
    Q_OBJECT

public:
    BoardLabel(bool sunkenBorder, QWidget* parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool sunkenBorder_;
    bool pressed_ = false;
};
