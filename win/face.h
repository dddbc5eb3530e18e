#pragma once

// The captions' face, Tahoma Bold with heavier outlines, registered for this
// process alone from the program's own data, so that every PC draws the same
// letters in the places laid out for them, with or without a Tahoma of its own.
// Its family name is its own, so a Tahoma on the system cannot stand in for it.
extern const wchar_t* const kFaceFamily;

void registerFace();
