// Times the drill's core without a window: drawing a new exercise, and one
// key in a box (KeyPress, the box's insertion, KeyUp with its judging and its
// scan of all 40 boxes before enabling the chalk box).
//   vendaro_core_bench

#include "answer_checking.h"
#include "cells.h"
#include "keystroke_filter.h"
#include "new_exercise.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace vendaro;

namespace {

// Holds the boxes' texts as a window would; everything else is dropped.
struct Board final : Controls {
    std::array<std::string, kCellCount + 1> texts;
    int enabled = 0;

    std::string text(int box) const override { return texts.at(static_cast<std::size_t>(box)); }
    void setText(int box, const std::string& text) override { texts.at(static_cast<std::size_t>(box)) = text; }
    void setTextColour(int, Rgb) override {}
    void setCaption(int, const std::string&) override {}
    void setLabel22Enabled(bool on) override { enabled += on; }
    void setImageVisible(int, bool) override {}
    void endProgram() override {}
};

struct FixedClock final : Clock {
    double secondsSinceMidnight() const override { return 36000.5; }
};

// Median over batches of the time per call, in nanoseconds.
template <typename Work>
double nanosecondsPerCall(int batches, int calls, Work work)
{
    std::vector<double> perCall;
    for (int b = 0; b < batches; ++b) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i)
            work();
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        perCall.push_back(elapsed.count() / calls);
    }
    std::nth_element(perCall.begin(), perCall.begin() + batches / 2, perCall.end());
    return perCall[static_cast<std::size_t>(batches / 2)];
}

void typeKey(ExerciseState& state, Board& board, int cell, char digit)
{
    if (KeyPress(state, board, cell, digit) != 0)
        board.texts.at(static_cast<std::size_t>(cell)).push_back(digit);
    KeyUp(state, board, cell);
}

} // namespace

int main()
{
    ExerciseState state;
    Board board;
    SystemRandom random;
    const FixedClock clock;
    const double exercise = nanosecondsPerCall(51, 2000, [&] { Label22_Click(state, board, random, clock); });

    // Keys cycle over the 40 boxes; none is ever empty, so every KeyUp scans
    // all of them and enables the chalk box.
    for (int cell = 1; cell <= kCellCount; ++cell)
        board.setText(cell, "1");
    int cell = 0;
    const double key = nanosecondsPerCall(51, 20000, [&] {
        cell = cell % kCellCount + 1;
        typeKey(state, board, cell, '1');
    });

    std::printf("new exercise (Label22_Click):     %8.0f ns\n", exercise);
    std::printf("one key (KeyPress, insert, KeyUp): %7.0f ns\n", key);
    // A scan that never enabled the chalk box measured the wrong thing.
    return board.enabled > 0 ? 0 : 1;
}
