#pragma once

// The real Vendaro.exe, started as a pupil starts it, driven through the
// system's own input (SendInput) and read back through its windows.

#include "cells.h"
#include "control_ids.h"
#include "controls.h"
#include "text.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

inline int failures = 0;
#define CHECK(condition)                                                                                               \
    ((condition) ? void() : void((std::printf("FAIL %s:%d: %s\n", __FILE__, __LINE__, #condition), ++failures)))

inline std::wstring programPath; // Vendaro.exe, given on the command line

// True once the condition holds, false if it still fails after ten seconds.
template <typename Condition>
bool waitFor(Condition condition, int milliseconds = 10000)
{
    for (int waited = 0; !condition() && waited < milliseconds; waited += 2)
        Sleep(2);
    return condition();
}

inline std::wstring textOf(HWND window)
{
    wchar_t text[256] = L"";
    SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

class Drill {
public:
    Drill();
    Drill(const Drill&) = delete;
    Drill& operator=(const Drill&) = delete;
    ~Drill()
    {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, INFINITE);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    HWND form() const { return form_; }
    HWND box(int k) const { return GetDlgItem(form_, control_ids::ofBox(k)); }
    HWND label(int k) const { return GetDlgItem(form_, control_ids::ofLabel(k)); }
    std::wstring text(int k) const { return textOf(box(k)); }
    std::wstring caption(int k) const { return textOf(label(k)); }
    // The one face showing, 0 for none, -1 for more than one.
    int face() const;
    HWND focus() const;
    // The colour at a place of the layout, read off the screen at the window's dpi.
    vendaro::Rgb colourAt(POINT place) const;
    // Whether some pixel of a place of the layout is in this colour, read off the screen.
    bool shows(const vendaro::layout::Rect& place, vendaro::Rgb ink) const;
    // What box k expects, read off its header squares as a pupil reads them.
    std::wstring expected(int k) const;
    // The first box whose answer has this many digits.
    int boxWithDigits(std::size_t digits) const
    {
        int k = 1;
        while (k < vendaro::kCellCount && expected(k).size() != digits)
            ++k;
        return k;
    }

    // Types box k's answer, right or wrong in its last digit.
    void answer(int k, bool right = true)
    {
        std::string digits = utf8(expected(k));
        digits.back() = right ? digits.back() : static_cast<char>('0' + (digits.back() - '0' + 1) % 10);
        type(digits);
    }
    // Keys typed as characters ('S' is a press and release of Shift), one key, or a chord.
    void type(const std::string& keys);
    void key(WORD virtualKey, bool down = true, bool up = true);
    void chord(std::initializer_list<WORD> keys);
    // Places are the layout's, at 96 dpi.
    void click(POINT where, bool right = false, POINT release = {-1, -1}, bool settled = true);
    void clickBox(int k, bool settled = true)
    {
        const auto& place = vendaro::layout::box(k).rect;
        click({place.left + place.width / 2, place.top + place.height / 2}, false, {-1, -1}, settled);
    }
    void newExercise() { click({60, 540}); }
    // Returns once the drill has handled every input sent before.
    void settle();
    // Waits for the program to end; its exit status, or -1 if it goes on.
    long exitStatus(DWORD milliseconds = 10000) const
    {
        DWORD status = 0;
        const bool ended = WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
        return ended && GetExitCodeProcess(process_.hProcess, &status) ? static_cast<long>(status) : -1;
    }

    enum Pointer { kArrow, kHand, kWriting, kTextBeam };

private:
    POINT device(POINT place) const; // on the screen, at the window's dpi
    void moveTo(POINT where, DWORD buttons = 0);
    static HCURSOR pointer()
    {
        CURSORINFO info{sizeof info, 0, nullptr, {}};
        GetCursorInfo(&info);
        return info.hCursor;
    }
    // The index of a pointer the drill shows, or -1 for one not learnt yet.
    int kindOf(HCURSOR shown) const
    {
        const auto found = std::find(std::begin(pointers_), std::end(pointers_), shown);
        return found == std::end(pointers_) ? -1 : static_cast<int>(found - std::begin(pointers_));
    }

    PROCESS_INFORMATION process_{};
    HWND form_ = nullptr;
    int width_ = 0;         // of the client area, which tells the dpi
    HCURSOR pointers_[4]{}; // as the drill shows them, by Pointer
    unsigned moved_ = 0;    // the pointers of the places the mouse went since the last settle
};
