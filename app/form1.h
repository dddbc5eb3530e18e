#pragma once

#include "answer_box.h"
#include "board_label.h"
#include "cells.h"
#include "controls.h"
#include "handlers.h"
#include "picture_box.h"
#include "random_source.h"

#include <QWidget>

#include <array>

// The drill's one window: the chalkboard with its 76 controls. It owns the
// exercise state and hands every event of its boxes and click areas to the
// drill's handlers, which reach back only through the Controls operations.
class Form1 final : public QWidget, public vendaro::Controls, private BoxEvents {
    Q_OBJECT

public:
    // Exercises are drawn from `random`, seeded from `clock`; both outlive the window.
    Form1(vendaro::RandomSource& random, const vendaro::Clock& clock, QWidget* parent = nullptr);

    void showCentred();

    std::string text(int box) const override;
    void setText(int box, const std::string& text) override;
    void setTextColour(int box, vendaro::Rgb colour) override;
    void setCaption(int label, const std::string& caption) override;
    void setLabel22Enabled(bool enabled) override;
    void setImageVisible(int image, bool visible) override;
    void endProgram() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void Label22_Click();
    void Label23_Click();

    void gotFocus(int box, Qt::FocusReason reason) override;
    std::int16_t keyPress(int box, std::int16_t keyChar) override;
    void keyUp(int box) override;

    void createBoxes();
    void createLabels();
    void createPictures();
    void applyStackingAndTabOrder();
    void applyPointers();

    AnswerBox& box(int number) const;
    BoardLabel& label(int number) const;

    vendaro::Handlers handlers_;
    std::array<AnswerBox*, vendaro::kCellCount> boxes_{};
    std::array<BoardLabel*, 31> labels_{};
    std::array<PictureBox*, 5> images_{};
};
