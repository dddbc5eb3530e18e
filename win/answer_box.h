#pragma once

#include "typed_keys.h"

#include <windows.h>

#include <cstdint>
#include <string>

// What the window does with the events of an answer box.
class BoxEvents {
public:
    virtual ~BoxEvents() = default;
    virtual void gotFocus(int box) = 0;
    // Returns the code to insert, 0 for none.
    virtual std::int16_t keyPress(int box, std::int16_t keyChar) = 0;
    virtual void keyUp(int box) = 0;
    virtual void tabFrom(int box, bool backwards) = 0;
    // What a screen reader hears of the box: its operation and the last verdict.
    virtual std::wstring spokenName(int box) const = 0;
    virtual std::wstring verdict(int box) const = 0;
};

// One answer box: an edit control whose text changes only through the
// keystroke filter. Typed characters and an input method's results go through
// BoxEvents::keyPress before the box inserts them; paste, cut, undo and the
// context menu are shut off; text changed any other way, such as by WM_SETTEXT
// from another program or an assistive tool, is put back and typed again key
// by key.
class AnswerBox {
public:
    AnswerBox(int number, HWND parent, const RECT& place, BoxEvents& events);
    AnswerBox(const AnswerBox&) = delete;
    AnswerBox& operator=(const AnswerBox&) = delete;

    HWND window() const { return window_; }
    int number() const { return number_; }

    // The drill's own change of the text, which no filter sees.
    void replaceText(const std::wstring& text);
    // The edit control says its text changed.
    void textChanged();
    // A Tab arrived: the caret goes after the text, as a half-typed answer goes on.
    void caretToEnd();

private:
    static LRESULT CALLBACK boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT edit(UINT message, WPARAM wParam, LPARAM lParam); // the edit control's own handling
    LRESULT keyDown(WPARAM key, LPARAM lParam);
    void character(wchar_t typed);
    void type(std::int16_t keyChar);
    void typeAndRelease(std::int16_t keyChar);
    void retype();
    std::wstring text() const;
    template <typename Change>
    void ownEdit(Change change);

    int number_;
    BoxEvents& events_;
    HWND window_;
    WNDPROC editProc_ = nullptr;
    std::wstring accepted_; // the text as the filter last left it
    bool editing_ = false;
    vendaro::KeyStroke pressed_{}; // the key whose character comes next
};
