#include "retyping.h"

#include "typed_keys.h"

#include <algorithm>

namespace vendaro {

Retyping retyping(const std::u16string& accepted, const std::u16string& changed)
{
    const auto head = std::mismatch(accepted.begin(), accepted.end(), changed.begin(), changed.end()).first;
    const auto common = static_cast<std::size_t>(head - accepted.begin());
    std::size_t tail = 0;
    while (tail < accepted.size() - common && tail < changed.size() - common &&
           accepted[accepted.size() - 1 - tail] == changed[changed.size() - 1 - tail])
        ++tail;

    Retyping result{accepted.size() - tail, {}};
    result.keys.assign(accepted.size() - tail - common, kBackspace);
    for (std::size_t i = common; i < changed.size() - tail; ++i)
        result.keys.push_back(static_cast<std::int16_t>(changed[i]));
    return result;
}

} // namespace vendaro
