#include "keystroke_filter.h"

#include "cells.h"
#include "typed_keys.h"

namespace vendaro {

namespace {

bool letsThrough(std::int16_t keyChar) { return keyChar == kBackspace || (keyChar >= '0' && keyChar <= '9'); }

} // namespace

void GotFocus(ExerciseState& state, Controls& controls, int cell)
{
    showFace(controls, faces::waiting);
    attemptCounter(state, tableOf(cell)) = 0;
}

std::int16_t KeyPress(ExerciseState& state, Controls& controls, int cell, std::int16_t keyChar)
{
    const std::int16_t inserted = letsThrough(keyChar) ? keyChar : std::int16_t{0};
    controls.setTextColour(cell, colours::darkBlue);
    const auto typed = static_cast<long>(characterCount(controls.text(cell)));
    const auto answerLength = static_cast<long>(textLength(expectedAnswer(state, cell)));
    if (typed > answerLength - 1)
        controls.setText(cell, "");
    return inserted;
}

} // namespace vendaro
