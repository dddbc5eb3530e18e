#include "cells.h"

#include <stdexcept>

namespace vendaro {

namespace {

struct TableLabels {
    int firstColumnHeader;
    int firstRowHeader;
    int score;
    int total;
};

constexpr TableLabels kAdditionLabels{2, 6, 25, 27};
constexpr TableLabels kSubtractionLabels{12, 16, 29, 31};

const TableLabels& labelsOf(Table table) { return table == Table::Addition ? kAdditionLabels : kSubtractionLabels; }

} // namespace

Table tableOf(int cell)
{
    if (cell < 1 || cell > kCellCount)
        throw std::out_of_range("cell number outside 1..40");
    return cell <= kCellsPerTable ? Table::Addition : Table::Subtraction;
}

int firstCellOf(Table table) { return table == Table::Addition ? 1 : kCellsPerTable + 1; }
int totalLabelOf(Table table) { return labelsOf(table).total; }
int scoreLabelOf(Table table) { return labelsOf(table).score; }
int rowHeaderLabel(Table table, int row) { return labelsOf(table).firstRowHeader + row - 1; }
int columnHeaderLabel(Table table, int column) { return labelsOf(table).firstColumnHeader + column - 1; }

Cell cellAt(int number)
{
    const Table table = tableOf(number);
    const int index = number - firstCellOf(table);
    const int row = index / kColumns + 1;
    const int column = index % kColumns + 1;
    return {
        number, table, row, column, rowHeaderLabel(table, row), columnHeaderLabel(table, column), scoreLabelOf(table)};
}

const OptionalFloat& expectedAnswer(const ExerciseState& state, int cell)
{
    return tableOf(cell) == Table::Addition ? state.s[cell] : state.r[cell - kCellsPerTable];
}

OptionalFloat& expectedAnswer(ExerciseState& state, int cell)
{
    return const_cast<OptionalFloat&>(expectedAnswer(static_cast<const ExerciseState&>(state), cell));
}

float& attemptCounter(ExerciseState& state, Table table)
{
    return table == Table::Addition ? state.primoadd : state.primosott;
}

double scoreOf(const ExerciseState& state, Table table)
{
    return table == Table::Addition ? static_cast<double>(state.esattoadd.value_or(0)) : state.esattosott;
}

double totalOf(const ExerciseState& state, Table table)
{
    return static_cast<double>((table == Table::Addition ? state.nadd : state.nsott).value_or(0));
}

void addPoint(ExerciseState& state, Table table)
{
    if (table == Table::Addition)
        state.esattoadd = plus(state.esattoadd, 1);
    else
        state.esattosott += 1;
}

std::string scoreText(const ExerciseState& state, Table table)
{
    return table == Table::Addition ? textForm(state.esattoadd) : textForm(state.esattosott);
}

void HeaderSlot::set(float value)
{
    std::visit([value](auto* field) { *field = value; }, field_);
}

float HeaderSlot::value() const
{
    return std::visit([](auto* field) { return static_cast<float>(OptionalFloat(*field).value_or(0)); }, field_);
}

std::array<HeaderSlot, 9> headerSlots(ExerciseState& s, Table table)
{
    if (table == Table::Addition)
        return {s.n1, s.n2, s.n3, s.n4, s.n5, s.n6, s.n7, s.n8, s.n9};
    return {s.n1s, s.n2s, s.n3s, s.n4s, s.n5s, s.n6s, s.n7s, s.n8s, s.n9s};
}

} // namespace vendaro
