#include "answer_box.h"

#include "box_accessible.h"
#include "control_ids.h"
#include "key_codes.h"
#include "retyping.h"

#include <utility>

namespace {

std::u16string utf16(const std::wstring& text) { return {text.begin(), text.end()}; }

} // namespace

AnswerBox::AnswerBox(int number, HWND parent, const RECT& place, BoxEvents& events)
    : number_(number), events_(events),
      window_(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_CENTER | ES_AUTOHSCROLL,
                              place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_ids::ofBox(number))), nullptr,
                              nullptr))
{
    // The edit control's procedure is replaced rather than chained through
    // SetWindowSubclass, whose lookup of a window property on every message
    // is a round trip to the server under Wine and slows the start.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnswerBox::boxProc)));
}

LRESULT CALLBACK AnswerBox::boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return reinterpret_cast<AnswerBox*>(GetWindowLongPtrW(window, GWLP_USERDATA))->handle(message, wParam, lParam);
}

LRESULT AnswerBox::edit(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(editProc_, window_, message, wParam, lParam);
}

LRESULT AnswerBox::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        return keyDown(wParam, lParam);
    case WM_CHAR:
        character(static_cast<wchar_t>(wParam));
        return 0;
    case WM_IME_CHAR: // an input method's result, a character at a time
        typeAndRelease(static_cast<std::int16_t>(wParam));
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        events_.keyUp(number_);
        break;
    case WM_SYSKEYDOWN: // Alt+Backspace would undo
        if (wParam == VK_BACK)
            return 0;
        break;
    case WM_SETFOCUS: {
        const LRESULT result = edit(message, wParam, lParam);
        events_.gotFocus(number_);
        return result;
    }
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
        return 0;
    case EM_CANUNDO:
        return FALSE;
    // The input method's own window shows what is being composed; only the result reaches the box.
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_NCDESTROY: // going: nothing left to retype
        return edit(message, wParam, lParam);
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            return boxAccessible(window_, wParam, events_.spokenName(number_), events_.verdict(number_));
        break;
    }
    const LRESULT result = edit(message, wParam, lParam);
    // Whatever else changed the text is typed again through the filter.
    if (!editing_ && message != WM_GETTEXT && message != WM_GETTEXTLENGTH && text() != accepted_)
        retype();
    return result;
}

LRESULT AnswerBox::keyDown(WPARAM key, LPARAM lParam)
{
    pressed_ = keyStroke(key);
    if (pressed_.key == vendaro::Key::Tab)
        events_.tabFrom(number_, pressed_.shift);
    else if (vendaro::isEditingKey(pressed_))
        ownEdit([&] { edit(WM_KEYDOWN, key, lParam); });
    // Any other key is swallowed, so that none can paste, cut or undo.
    return 0;
}

// A character typed by the key pressed last; one that came without a key,
// sent by another program, is a key of its own.
void AnswerBox::character(wchar_t typed)
{
    vendaro::KeyStroke stroke = std::exchange(pressed_, {});
    stroke.text = std::u16string(1, static_cast<char16_t>(typed));
    if (const auto code = vendaro::characterCode(stroke))
        type(*code);
}

void AnswerBox::type(std::int16_t keyChar)
{
    const std::int16_t code = events_.keyPress(number_, keyChar);
    if (code != 0)
        ownEdit([&] { edit(WM_CHAR, static_cast<wchar_t>(code), 0); });
}

void AnswerBox::typeAndRelease(std::int16_t keyChar)
{
    type(keyChar);
    events_.keyUp(number_);
}

template <typename Change>
void AnswerBox::ownEdit(Change change)
{
    const bool outer = std::exchange(editing_, true);
    change();
    editing_ = outer;
    accepted_ = text();
}

void AnswerBox::replaceText(const std::wstring& text)
{
    ownEdit([&] { SetWindowTextW(window_, text.c_str()); });
}

void AnswerBox::caretToEnd()
{
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(window_));
    SendMessageW(window_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

// Puts back the text the filter left and types the difference.
void AnswerBox::retype()
{
    const vendaro::Retyping retyping = vendaro::retyping(utf16(accepted_), utf16(text()));
    ownEdit([&] {
        SetWindowTextW(window_, accepted_.c_str());
        SendMessageW(window_, EM_SETSEL, retyping.caret, static_cast<LPARAM>(retyping.caret));
    });
    for (const std::int16_t key : retyping.keys)
        typeAndRelease(key);
}

std::wstring AnswerBox::text() const
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
    return text;
}
