#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vendaro {

// Text that reached a box by a route the filter did not see (an input method,
// a touch keyboard, an assistive tool) is put back as the filter left it, the
// caret is set at the end of what changed, and the difference is typed: a
// backspace for each character taken away, then each character put in, each
// pressed and released.
struct Retyping {
    std::size_t caret;              // in the text as the filter left it
    std::vector<std::int16_t> keys; // character codes, as the filter takes them
};

Retyping retyping(const std::u16string& accepted, const std::u16string& changed);

} // namespace vendaro
