#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// A header number or expected answer: empty until the first exercise, then a
// whole number held as a single-precision float.
using OptionalFloat = std::optional<float>;

// A running total or score: empty until first raised, then a whole number.
using OptionalCount = std::optional<std::int64_t>;

// The digits a number is shown and compared with: no sign, no blank, no
// separator; an empty value gives the empty string.
std::string textForm(const OptionalFloat& value);
std::string textForm(float value);
std::string textForm(const OptionalCount& value);

// How many digits an expected answer has: 0 while empty, else 1 or 2.
std::size_t textLength(const OptionalFloat& value);

// Characters, not bytes, of a UTF-8 string: a box is full by what the pupil sees.
std::size_t characterCount(std::string_view utf8);

// An empty value counts as 0 when it is added to.
OptionalCount plus(const OptionalCount& value, std::int64_t increment);

} // namespace vendaro
