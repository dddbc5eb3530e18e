#pragma once

#include "typed_keys.h"

#include <windows.h>

// A pressed key, by its virtual-key code and the modifiers held now, in the
// drill's own terms, for the rules of typed_keys.h. What it types comes later,
// with the character the system makes of it.
vendaro::KeyStroke keyStroke(WPARAM virtualKey);
