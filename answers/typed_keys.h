#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vendaro {

constexpr std::int16_t kBackspace = 8;

// A key as both front ends see it, in the words of neither toolkit.
enum class Key { Backspace, Enter, Escape, Tab, Delete, Left, Right, Home, End, Other };

struct KeyStroke {
    Key key = Key::Other;
    bool control = false;
    bool shift = false;
    char letter = 0;     // 'A'..'Z' for a letter key, else 0: Ctrl with it types a control code
    std::u16string text; // what the key types, if anything
};

// The character code a key types, as the keystroke filter expects it:
// Backspace 8, Enter 13, Escape 27, Ctrl+A..Ctrl+Z 1..26, else the first
// character of the typed text. Keys that type nothing (Tab, Delete, arrows,
// modifiers, control characters) give none. Codes from 0x8000 up wrap to
// negative numbers, which the filter discards.
std::optional<std::int16_t> characterCode(const KeyStroke& stroke);

// Caret movement and Delete keep their usual meaning in a box; every other key
// that types nothing is swallowed, so that none can paste, cut or undo.
bool isEditingKey(const KeyStroke& stroke);

} // namespace vendaro
