#include "face.h"

#include <windows.h>

// As assets/embolden_font.py names it for Windows.
const wchar_t* const kFaceFamily = L"Vendaro Tahoma";

void registerFace()
{
    const HRSRC found = FindResourceW(nullptr, L"FACE", RT_RCDATA);
    DWORD faces = 0;
    if (!found || !AddFontMemResourceEx(LockResource(LoadResource(nullptr, found)), SizeofResource(nullptr, found),
                                        nullptr, &faces))
        OutputDebugStringW(L"Vendaro: the built-in face did not register\n");
}
