#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

// The character code a key types, as the drill's keystroke filter expects it:
// Backspace 8, Return and Enter 13, Escape 27, Ctrl+A..Ctrl+Z 1..26, else the
// first character of the typed text. Keys that type nothing (Tab, Delete,
// arrows, modifiers) give no code.
std::optional<std::int16_t> characterCode(const QKeyEvent& event);
