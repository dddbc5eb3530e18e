#pragma once

#include "typed_keys.h"

class QKeyEvent;

// A Qt key event in the drill's own terms, for the rules of typed_keys.h.
vendaro::KeyStroke keyStroke(const QKeyEvent& event);
