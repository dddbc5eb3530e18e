#pragma once

#include "exercise/controls.h"
#include "exercise/exercise_state.h"
#include "exercise/random_source.h"

// A click on the chalk box: clears both tables, draws fresh headers so that
// every sum is at most 20 and no difference is negative, and offers 20 more
// cells in each table.
void Label22_Click(ExerciseState& state, Controls& controls, RandomSource& random, const Clock& clock);
