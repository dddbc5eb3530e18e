#pragma once

#include <windows.h>

#include <string>

// The answer to WM_GETOBJECT for an answer box: the standard object of an
// edit control, which a screen reader reads as usual, but named after the
// box's operation ("7 più 5") and described by the last verdict.
LRESULT boxAccessible(HWND box, WPARAM flags, const std::wstring& name, const std::wstring& description);
