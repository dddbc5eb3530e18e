#include "new_exercise.h"

#include "cells.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>

namespace vendaro {

namespace {

constexpr float kLargestAnswer = 20;

using Headers = std::array<HeaderSlot, 9>;
using Admissible = std::function<bool(float value)>;

std::span<HeaderSlot> rowsOf(Headers& headers) { return std::span(headers).first(kRows); }
std::span<HeaderSlot> columnsOf(Headers& headers) { return std::span(headers).subspan(kRows); }

bool differsFromAll(std::span<const HeaderSlot> earlier, float value)
{
    return std::none_of(earlier.begin(), earlier.end(),
                        [value](const HeaderSlot& slot) { return slot.value() == value; });
}

float largest(std::span<const HeaderSlot> slots)
{
    float result = slots.front().value();
    for (const HeaderSlot& slot : slots)
        result = std::max(result, slot.value());
    return result;
}

float smallest(std::span<const HeaderSlot> slots)
{
    float result = slots.front().value();
    for (const HeaderSlot& slot : slots)
        result = std::min(result, slot.value());
    return result;
}

// Draws each slot in turn as floor(u * range) + offset, drawing again until the
// value differs from the slots drawn before it and meets `admissible`.
void drawDistinct(std::span<HeaderSlot> slots, RandomSource& random, int range, int offset,
                  const Admissible& admissible)
{
    const auto draw = [&] { return static_cast<float>(std::floor(random.next() * range) + offset); };
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const auto earlier = slots.first(i);
        do {
            slots[i].set(draw());
        } while (!differsFromAll(earlier, slots[i].value()) || !admissible(slots[i].value()));
    }
}

void showHeaders(Controls& controls, std::span<const HeaderSlot> slots, int firstLabel)
{
    for (std::size_t i = 0; i < slots.size(); ++i)
        controls.setCaption(firstLabel + static_cast<int>(i), textForm(slots[i].value()));
}

void showRowHeaders(Controls& controls, Table table, Headers& headers)
{
    showHeaders(controls, rowsOf(headers), rowHeaderLabel(table, 1));
}

void showColumnHeaders(Controls& controls, Table table, Headers& headers)
{
    showHeaders(controls, columnsOf(headers), columnHeaderLabel(table, 1));
}

void clearBoxes(Controls& controls, Table table)
{
    const int first = firstCellOf(table);
    for (int box = first; box < first + kCellsPerTable; ++box)
        controls.setText(box, "");
}

void computeAnswers(ExerciseState& state, Table table, Headers& headers)
{
    const float sign = table == Table::Addition ? 1.0f : -1.0f;
    for (int cell = firstCellOf(table); cell < firstCellOf(table) + kCellsPerTable; ++cell) {
        const Cell c = cellAt(cell);
        const float rowHeader = rowsOf(headers)[static_cast<std::size_t>(c.row - 1)].value();
        const float columnHeader = columnsOf(headers)[static_cast<std::size_t>(c.column - 1)].value();
        expectedAnswer(state, cell) = rowHeader + sign * columnHeader;
    }
}

void offerCells(ExerciseState& state, Controls& controls, Table table)
{
    OptionalCount& total = table == Table::Addition ? state.nadd : state.nsott;
    total = plus(total, kCellsPerTable);
    controls.setCaption(totalLabelOf(table), textForm(total));
}

void makeAdditionTable(ExerciseState& state, Controls& controls, RandomSource& random)
{
    Headers headers = headerSlots(state, Table::Addition);
    drawDistinct(rowsOf(headers), random, 15, 0, [](float) { return true; });
    const float largestRow = largest(rowsOf(headers));
    drawDistinct(columnsOf(headers), random, 15, 0,
                 [largestRow](float column) { return largestRow + column <= kLargestAnswer; });
    showColumnHeaders(controls, Table::Addition, headers);
    showRowHeaders(controls, Table::Addition, headers);
    computeAnswers(state, Table::Addition, headers);
    offerCells(state, controls, Table::Addition);
}

void makeSubtractionTable(ExerciseState& state, Controls& controls, RandomSource& random)
{
    Headers headers = headerSlots(state, Table::Subtraction);
    drawDistinct(rowsOf(headers), random, 20, 5, [](float minuend) { return minuend <= kLargestAnswer; });
    showRowHeaders(controls, Table::Subtraction, headers);
    const float smallestMinuend = smallest(rowsOf(headers));
    drawDistinct(columnsOf(headers), random, 20, 0,
                 [smallestMinuend](float subtrahend) { return subtrahend <= smallestMinuend; });
    showColumnHeaders(controls, Table::Subtraction, headers);
    computeAnswers(state, Table::Subtraction, headers);
    offerCells(state, controls, Table::Subtraction);
}

// Every cell of the new exercise starts with a first attempt and may earn its point.
void restartAttempts(ExerciseState& state)
{
    state.primoadd = 0;
    state.primosott = 0;
    std::fill(state.pointEarned.begin(), state.pointEarned.end(), false);
}

} // namespace

void Label22_Click(ExerciseState& state, Controls& controls, RandomSource& random, const Clock& clock)
{
    controls.setLabel22Enabled(false);
    showFace(controls, faces::waiting);
    clearBoxes(controls, Table::Addition);
    random.seed(clock.secondsSinceMidnight());
    makeAdditionTable(state, controls, random);
    clearBoxes(controls, Table::Subtraction);
    makeSubtractionTable(state, controls, random);
    restartAttempts(state);
}

} // namespace vendaro
