#pragma once

#include <array>
#include <cstddef>

namespace vendaro {

// A family of fields named 1..N (s1..s20, r1..r20) held as one array; a number
// outside 1..N throws instead of touching a neighbour.
template <class T, std::size_t N>
class OneBased {
public:
    T& operator[](int number) { return items_.at(static_cast<std::size_t>(number - 1)); }
    const T& operator[](int number) const { return items_.at(static_cast<std::size_t>(number - 1)); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::array<T, N> items_{};
};

} // namespace vendaro
