#pragma once

#include "controls.h"
#include "exercise_state.h"

namespace vendaro {

// A key is released in box Text<cell>: a complete entry is judged and scored,
// then the chalk box is enabled once every box holds something.
void KeyUp(ExerciseState& state, Controls& controls, int cell);

} // namespace vendaro
