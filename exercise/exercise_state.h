#pragma once

#include "one_based.h"
#include "optional_number.h"

namespace vendaro {

// Everything the drill remembers, from window creation to program end.
struct ExerciseState {
    // Addition table: row headers, column headers, expected answers of cells 1..20.
    OptionalFloat n1, n2, n3, n4, n5;
    OptionalFloat n6, n7, n8;
    float n9 = 0;
    OneBased<OptionalFloat, 20> s;

    // Cells offered so far, addition and subtraction.
    OptionalCount nadd;
    OptionalCount nsott;

    // Answers right at the first attempt.
    OptionalCount esattoadd;
    float esattosott = 0;

    // Judged attempts since the focus arrived in a box of each table.
    float primoadd = 0;
    float primosott = 0;

    // Subtraction table: minuends, subtrahends, expected answers of cells 21..40.
    OptionalFloat n1s, n2s, n3s, n4s, n5s;
    OptionalFloat n6s, n7s, n8s;
    float n9s = 0;
    OneBased<OptionalFloat, 20> r;

    // Cells that have already earned their point in this exercise, so that
    // coming back to a right answer cannot score it twice.
    OneBased<bool, 40> pointEarned;
};

} // namespace vendaro
