#include "optional_number.h"

#include <cmath>

namespace vendaro {

std::string textForm(float value) { return std::to_string(static_cast<long long>(std::llround(std::fabs(value)))); }

std::string textForm(const OptionalFloat& value) { return value ? textForm(*value) : std::string{}; }

std::string textForm(const OptionalCount& value) { return value ? std::to_string(*value) : std::string{}; }

std::size_t textLength(const OptionalFloat& value) { return textForm(value).size(); }

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char byte : utf8) {
        const bool continuation = (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
        count += continuation ? 0 : 1;
    }
    return count;
}

OptionalCount plus(const OptionalCount& value, std::int64_t increment) { return value.value_or(0) + increment; }

} // namespace vendaro
