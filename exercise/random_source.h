#pragma once

#include <cstdint>
#include <random>

namespace vendaro {

// Numbers uniformly distributed in [0, 1), reseeded at every new exercise.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(double secondsSinceMidnight) = 0;
    virtual double next() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day, fraction of a second included.
    virtual double secondsSinceMidnight() const = 0;
};

class SystemRandom final : public RandomSource {
public:
    void seed(double secondsSinceMidnight) override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

class SystemClock final : public Clock {
public:
    double secondsSinceMidnight() const override;
};

} // namespace vendaro
