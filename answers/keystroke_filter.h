#pragma once

#include "controls.h"
#include "exercise_state.h"

#include <cstdint>

namespace vendaro {

// The focus arrives in box Text<cell>: the waiting face, and a fresh count of
// attempts for the box's table.
void GotFocus(ExerciseState& state, Controls& controls, int cell);

// A character is about to be typed into box Text<cell>. Returns the code the
// box must insert: the digit or backspace itself, or 0 for nothing. A box that
// already holds a whole answer is emptied first, so the digit starts anew.
std::int16_t KeyPress(ExerciseState& state, Controls& controls, int cell, std::int16_t keyChar);

} // namespace vendaro
