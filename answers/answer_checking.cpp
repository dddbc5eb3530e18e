#include "answer_checking.h"

#include "cells.h"

namespace vendaro {

namespace {

void scoreFirstRight(ExerciseState& state, Controls& controls, const Cell& cell)
{
    // Coming back to a right answer shows it right again but scores it once.
    if (!state.pointEarned[cell.number]) {
        state.pointEarned[cell.number] = true;
        addPoint(state, cell.table);
        controls.setCaption(cell.scoreLabel, scoreText(state, cell.table));
    }
    showFace(controls, faces::right);
}

void judge(ExerciseState& state, Controls& controls, int number)
{
    const OptionalFloat& answer = expectedAnswer(state, number);
    // No exercise drawn yet: there is nothing to be right or wrong about.
    if (!answer)
        return;
    const std::string typed = controls.text(number);
    if (characterCount(typed) != textLength(answer))
        return;

    const Cell cell = cellAt(number);
    float& attempts = attemptCounter(state, cell.table);
    attempts += 1;
    const bool right = typed == textForm(answer);
    if (right && attempts == 1.0f) {
        scoreFirstRight(state, controls, cell);
    }
    else if (!right) {
        showFace(controls, faces::wrong);
        controls.setTextColour(number, colours::red);
    }
    else {
        showFace(controls, faces::right);
        controls.setTextColour(number, colours::green);
    }
}

void enableNewExerciseWhenAllFilled(Controls& controls)
{
    bool anyEmpty = false;
    for (int box = 1; box <= kCellCount; ++box)
        anyEmpty = controls.text(box).empty() || anyEmpty;
    if (!anyEmpty)
        controls.setLabel22Enabled(true);
}

} // namespace

void KeyUp(ExerciseState& state, Controls& controls, int cell)
{
    judge(state, controls, cell);
    enableNewExerciseWhenAllFilled(controls);
}

} // namespace vendaro
