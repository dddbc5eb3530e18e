#pragma once

#include "controls.h"
#include "exercise_state.h"
#include "random_source.h"

#include <cstdint>

namespace vendaro {

// The drill's handlers of every event a front end delivers, with the state
// they share. The desktop window and the page each own one and reach it from
// their controls' events; it reaches back only through Controls.
class Handlers {
public:
    // Exercises are drawn from `random`, seeded from `clock`; all three outlive the handlers.
    Handlers(Controls& controls, RandomSource& random, const Clock& clock)
        : controls_(controls), random_(random), clock_(clock)
    {
    }

    void Form_Load();
    void Label22_Click();
    void Label23_Click();
    // `comingBack`: the focus returns from outside the window or page (another
    // window, a popup). Coming back into the box it left is no new arrival.
    void GotFocus(int box, bool comingBack);
    std::int16_t KeyPress(int box, std::int16_t keyChar);
    void KeyUp(int box);

private:
    ExerciseState state_;
    Controls& controls_;
    RandomSource& random_;
    const Clock& clock_;
    int lastFocusedBox_ = 0;
};

} // namespace vendaro
