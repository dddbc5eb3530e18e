#pragma once

#include "controls.h"
#include "exercise_state.h"
#include "random_source.h"

namespace vendaro {

// A click on the chalk box: clears both tables, draws fresh headers so that
// every sum is at most 20 and no difference is negative, and offers 20 more
// cells in each table.
void Label22_Click(ExerciseState& state, Controls& controls, RandomSource& random, const Clock& clock);

} // namespace vendaro
