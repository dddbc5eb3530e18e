#pragma once

#include "app/answer_box.h"
#include "app/board_label.h"
#include "app/picture_box.h"
#include "exercise/controls.h"
#include "exercise/exercise_state.h"
#include "exercise/random_source.h"

#include <QWidget>

#include <array>

// The drill's one window: the chalkboard with its 76 controls. It owns the
// exercise state and hands every event of its boxes and click areas to the
// drill's handlers, which reach back only through the Controls operations.
class Form1 final : public QWidget, public Controls, private BoxEvents {
    Q_OBJECT

public:
    static const QString kTitle;

    // Exercises are drawn from `random`, seeded from `clock`; both outlive the window.
    Form1(RandomSource& random, const Clock& clock, QWidget* parent = nullptr);

    void showCentred();

    std::string text(int box) const override;
    void setText(int box, const std::string& text) override;
    void setTextColour(int box, Rgb colour) override;
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

    ExerciseState state_;
    RandomSource& random_;
    const Clock& clock_;
    std::array<AnswerBox*, 40> boxes_{};
    std::array<BoardLabel*, 31> labels_{};
    std::array<PictureBox*, 5> images_{};
    int lastFocusedBox_ = 0;
};
