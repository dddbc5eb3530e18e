#include "handlers.h"

#include "answer_checking.h"
#include "keystroke_filter.h"
#include "new_exercise.h"

namespace vendaro {

void Handlers::Form_Load() { hideFaces(controls_); }

void Handlers::Label22_Click() { vendaro::Label22_Click(state_, controls_, random_, clock_); }

void Handlers::Label23_Click() { controls_.endProgram(); }

void Handlers::GotFocus(int box, bool comingBack)
{
    const bool returning = comingBack && box == lastFocusedBox_;
    lastFocusedBox_ = box;
    if (!returning)
        vendaro::GotFocus(state_, controls_, box);
}

std::int16_t Handlers::KeyPress(int box, std::int16_t keyChar)
{
    return vendaro::KeyPress(state_, controls_, box, keyChar);
}

void Handlers::KeyUp(int box) { vendaro::KeyUp(state_, controls_, box); }

} // namespace vendaro
