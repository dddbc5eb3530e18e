#pragma once

#include "exercise_state.h"

#include <array>
#include <string>
#include <variant>

namespace vendaro {

enum class Table { Addition, Subtraction };

constexpr int kCellCount = 40;
constexpr int kCellsPerTable = 20;
constexpr int kRows = 5;
constexpr int kColumns = 4;

// Cell k is answer box Text<k>; the addition table holds cells 1..20 and the
// subtraction table 21..40, each filled row by row, four to a row.
struct Cell {
    int number;
    Table table;
    int row;    // 1..5
    int column; // 1..4
    int rowHeaderLabel;
    int columnHeaderLabel;
    int scoreLabel;
};

// Throws std::out_of_range for a number outside 1..40.
Cell cellAt(int number);

Table tableOf(int cell);
int firstCellOf(Table table);
int totalLabelOf(Table table);
int scoreLabelOf(Table table);
int rowHeaderLabel(Table table, int row);
int columnHeaderLabel(Table table, int column);

OptionalFloat& expectedAnswer(ExerciseState& state, int cell);
const OptionalFloat& expectedAnswer(const ExerciseState& state, int cell);
float& attemptCounter(ExerciseState& state, Table table);

// The score of a table, and the total of its cells offered, counting empty as 0.
double scoreOf(const ExerciseState& state, Table table);
double totalOf(const ExerciseState& state, Table table);
void addPoint(ExerciseState& state, Table table);
std::string scoreText(const ExerciseState& state, Table table);

// Header number i (1..9) of a table: n1..n9 or n1s..n9s. The fourth column
// header is a plain float while the others are optional, so one slot type
// covers both kinds.
class HeaderSlot {
public:
    HeaderSlot(OptionalFloat& field) : field_(&field) {}
    HeaderSlot(float& field) : field_(&field) {}

    void set(float value);
    float value() const;

private:
    std::variant<OptionalFloat*, float*> field_;
};

std::array<HeaderSlot, 9> headerSlots(ExerciseState& state, Table table);

} // namespace vendaro
