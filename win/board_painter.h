#pragma once

#include "look.h"

#include <windows.h>

// Draws the board as the window shows it, for any part of it: the board
// picture, then every control from the back to the front, but for the insides
// of the answer boxes, which the boxes draw themselves. Captions and pictures
// shown are read from the window's controls. Each of the board's windows draws
// its own part of this one picture, which is how labels and pictures come out
// transparent wherever they overlap.
//   area: the part, in the window's client coordinates
//   at: where its top-left corner goes on `target`
void paintBoard(HDC target, const RECT& area, POINT at, HWND form, const Look& look);
