#include "random_source.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace vendaro {

void SystemRandom::seed(double secondsSinceMidnight)
{
    // Microseconds keep two clicks within the same second apart.
    engine_.seed(static_cast<std::uint64_t>(std::llround(secondsSinceMidnight * 1e6)));
}

double SystemRandom::next()
{
    // The top 53 bits scaled by 2^-53 can reach 1 - 2^-53 but never 1, which
    // would draw a header one past its range.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double SystemClock::secondsSinceMidnight() const
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t whole = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &whole);
#else
    localtime_r(&whole, &local);
#endif
    const double fraction = duration<double>(now - system_clock::from_time_t(whole)).count();
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

} // namespace vendaro
