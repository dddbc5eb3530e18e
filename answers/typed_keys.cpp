#include "typed_keys.h"

namespace vendaro {

std::optional<std::int16_t> characterCode(const KeyStroke& stroke)
{
    switch (stroke.key) {
    case Key::Backspace:
        return kBackspace;
    case Key::Enter:
        return 13;
    case Key::Escape:
        return 27;
    case Key::Other:
        break;
    default:
        return std::nullopt;
    }
    if (stroke.control && stroke.letter >= 'A' && stroke.letter <= 'Z')
        return static_cast<std::int16_t>(stroke.letter - 'A' + 1);
    if (stroke.text.empty() || stroke.text.front() < 32 || stroke.text.front() == 127)
        return std::nullopt;
    return static_cast<std::int16_t>(stroke.text.front());
}

bool isEditingKey(const KeyStroke& stroke)
{
    switch (stroke.key) {
    case Key::Left:
    case Key::Right:
    case Key::Home:
    case Key::End:
        return true;
    case Key::Delete:
        return !stroke.shift;
    default:
        return false;
    }
}

} // namespace vendaro
