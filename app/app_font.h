#pragma once

#include <QFont>

// Registers the Tahoma Bold built into the program: Wine's metric-compatible
// face with heavier outlines, so that every caption looks bold and keeps the
// place the layout gives it, with or without a Tahoma on the system.
void ensureTahoma();

// Tahoma bold at a size in pixels.
QFont tahomaBold(int pixels);

// Registers the face and makes it, at the answer boxes' size, the program's
// default font, so that no control, not even one laying out its empty text
// while it is being made, loads a system font it never shows.
void useTahomaByDefault();
