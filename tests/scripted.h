#pragma once

#include "random_source.h"

#include <deque>
#include <stdexcept>

// Hands out a scripted series of u values; running out is a fault of the test.
struct ScriptedRandom final : vendaro::RandomSource {
    std::deque<double> values;
    double seededWith = -1;

    void seed(double secondsSinceMidnight) override { seededWith = secondsSinceMidnight; }
    double next() override
    {
        if (values.empty())
            throw std::runtime_error("scripted random numbers ran out");
        const double u = values.front();
        values.pop_front();
        return u;
    }

    // Queues the u values that draw exactly these numbers from floor(u * range) + offset.
    void queue(std::initializer_list<int> drawn, int range, int offset = 0)
    {
        for (const int value : drawn)
            values.push_back((value - offset + 0.5) / range);
    }
};

// A time of day that moves on by a second at every reading, so that each
// exercise is new and every run of a test draws the same ones.
struct SteppingClock final : vendaro::Clock {
    mutable double seconds = 45296.25;
    double secondsSinceMidnight() const override { return seconds += 1; }
};
