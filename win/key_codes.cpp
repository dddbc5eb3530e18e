#include "key_codes.h"

using vendaro::Key;

namespace {

Key keyOf(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_BACK:
        return Key::Backspace;
    case VK_RETURN:
        return Key::Enter;
    case VK_ESCAPE:
        return Key::Escape;
    case VK_TAB:
        return Key::Tab;
    case VK_DELETE:
        return Key::Delete;
    case VK_LEFT:
        return Key::Left;
    case VK_RIGHT:
        return Key::Right;
    case VK_HOME:
        return Key::Home;
    case VK_END:
        return Key::End;
    default:
        return Key::Other;
    }
}

bool held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

} // namespace

vendaro::KeyStroke keyStroke(WPARAM virtualKey)
{
    const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
    // AltGr is Ctrl and Alt together, and types characters of its own, not control codes.
    const bool control = held(VK_CONTROL) && !held(VK_MENU);
    return {keyOf(virtualKey), control, held(VK_SHIFT), letter ? static_cast<char>(virtualKey) : '\0', {}};
}
