#include "form1.h"

#include "board_painter.h"
#include "control_ids.h"
#include "form_layout.h"
#include "scale.h"
#include "spoken_names.h"
#include "text.h"
#include "title.h"

#include <oleacc.h>
#include <windowsx.h>

using namespace vendaro;

namespace {

constexpr wchar_t kFormClass[] = L"Vendaro";
constexpr wchar_t kPartClass[] = L"VendaroPart"; // the labels and pictures
// A fixed frame with the close box only.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

Form1* formOf(HWND window) { return reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

bool isClickArea(int id)
{
    return id == control_ids::ofLabel(kNewExerciseLabel) || id == control_ids::ofLabel(kEndLabel);
}

std::wstring windowText(HWND window)
{
    wchar_t text[64];
    GetWindowTextW(window, text, 64);
    return text;
}

} // namespace

Form1::Form1(HINSTANCE instance, RandomSource& random, const Clock& clock)
    : instance_(instance), handlers_(*this, random, clock)
{
    registerClasses(instance);
    CreateWindowExW(0, kFormClass, wide(layout::kTitle).c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                    nullptr, nullptr, instance, this);
    look_.emplace(dpiOfWindow(window_));
    createControls();
    setIcons();
    handlers_.Form_Load();
}

void Form1::registerClasses(HINSTANCE instance)
{
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = windowProc;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.lpszClassName = kFormClass;
    RegisterClassExW(&form);
    WNDCLASSEXW part = form;
    part.lpfnWndProc = partProc;
    part.lpszClassName = kPartClass;
    RegisterClassExW(&part);
}

// Each control is made in its place, from the front of the board to the back:
// a window made later lies under those made before it.
void Form1::createControls()
{
    const auto names = layout::stackingBackToFront();
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        const int id = control_ids::ofName(*name);
        const int number = control_ids::numberOf(id);
        switch (control_ids::kindOf(id)) {
        case control_ids::Kind::Box:
            createBox(number);
            break;
        case control_ids::Kind::Label: {
            // A click area's text is never shown: it names the area to a screen reader.
            const layout::LabelLook& look = control_ids::labelLook(number);
            createPart(id, look.fontPixels ? look.caption : spokenNameOfLabel(number));
            break;
        }
        case control_ids::Kind::Image:
            createPart(id, spokenNameOfImage(number));
            break;
        }
    }
}

void Form1::createBox(int number)
{
    BoxEvents& events = *this;
    auto& box = boxes_.at(static_cast<std::size_t>(number - 1));
    box = std::make_unique<AnswerBox>(number, window_, placeOf(control_ids::ofBox(number)), events);
    ink_.at(static_cast<std::size_t>(number - 1)) = layout::kBoxText;
    setBoxFont(box->window());
}

void Form1::createPart(int id, const std::string& text)
{
    const RECT place = placeOf(id);
    CreateWindowExW(0, kPartClass, wide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, window_,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

// Where a control lies for the window's dpi. A box's edit control is its
// inside: the border around it is drawn with the board, and its text starts
// one pixel lower, as the line of an answer box does on every edition.
RECT Form1::placeOf(int id) const
{
    const Scale& scale = look_->scale();
    const RECT place = scale.rect(control_ids::placeOf(id));
    if (control_ids::kindOf(id) != control_ids::Kind::Box)
        return place;
    const int border = 2 * scale.px(1);
    return {place.left + border, place.top + border + scale.px(1), place.right - border, place.bottom - border};
}

void Form1::setBoxFont(HWND box) const
{
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(look_->font(layout::kBoxFontPixels)), FALSE);
    SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

// Controls are made in their place; a change of dpi moves them.
void Form1::place(HWND control)
{
    const int id = GetDlgCtrlID(control);
    const RECT place = placeOf(id);
    if (control_ids::kindOf(id) == control_ids::Kind::Box)
        setBoxFont(control);
    MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
}

// The icons of the title bar and the taskbar, at the sizes for the window's dpi.
void Form1::setIcons()
{
    const auto icon = [&](int side) {
        const int pixels = look_->scale().px(side);
        return OwnedIcon(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, pixels, pixels, 0)));
    };
    bigIcon_ = icon(32);
    smallIcon_ = icon(16);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void Form1::showCentred()
{
    const Scale& scale = look_->scale();
    const RECT frame =
        frameAround(scale.px(layout::kClientWidth), scale.px(layout::kClientHeight), kFormStyle, scale.dpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Activation puts the focus in Text1.
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    Form1* form = formOf(window);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return form ? form->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint(window_);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CTLCOLOREDIT: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        const int box = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        SetTextColor(dc, colourRef(ink_.at(static_cast<std::size_t>(box - 1))));
        SetBkColor(dc, colourRef(layout::kBoxBackground));
        return reinterpret_cast<LRESULT>(look_->boxBackground());
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            activated();
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && setPointer(reinterpret_cast<HWND>(wParam)))
            return TRUE;
        break;
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK Form1::partProc(HWND part, UINT message, WPARAM wParam, LPARAM lParam)
{
    Form1* form = formOf(GetParent(part));
    switch (message) {
    case WM_NCHITTEST: // only the click areas take the mouse
        if (!isClickArea(GetDlgCtrlID(part)))
            return HTTRANSPARENT;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        form->paint(part);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return form->clickArea(part, message, lParam);
    }
    return DefWindowProcW(part, message, wParam, lParam);
}

// A click is a left press and release over the same enabled area.
LRESULT Form1::clickArea(HWND area, UINT message, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN) {
        SetCapture(area);
        return 0;
    }
    RECT inside;
    GetClientRect(area, &inside);
    const bool click = GetCapture() == area && PtInRect(&inside, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) &&
                       IsWindowEnabled(area);
    ReleaseCapture();
    if (click && GetDlgCtrlID(area) == control_ids::ofLabel(kNewExerciseLabel))
        handlers_.Label22_Click();
    else if (click)
        handlers_.Label23_Click();
    return 0;
}

// Draws the board's part under a window: the form's own, or a label's or picture's.
void Form1::paint(HWND part)
{
    PAINTSTRUCT ps;
    BeginPaint(part, &ps);
    RECT area = ps.rcPaint;
    MapWindowPoints(part, window_, reinterpret_cast<POINT*>(&area), 2);
    paintBoard(ps.hdc, area, {ps.rcPaint.left, ps.rcPaint.top}, window_, *look_);
    EndPaint(part, &ps);
}

void Form1::repaint(const layout::Rect& place)
{
    const RECT rect = look_->scale().rect(place);
    RedrawWindow(window_, &rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Back from another window, or from a dialog of another program, the focus
// returns to the box it left, and that is no new arrival.
void Form1::activated()
{
    comingBack_ = true;
    SetFocus(box(focused_).window());
    comingBack_ = false;
}

bool Form1::setPointer(HWND over)
{
    if (GetParent(over) != window_)
        return false;
    const int id = GetDlgCtrlID(over);
    const auto pointer = control_ids::kindOf(id) == control_ids::Kind::Box
                             ? layout::box(control_ids::numberOf(id)).pointer
                         : control_ids::kindOf(id) == control_ids::Kind::Label
                             ? control_ids::labelLook(control_ids::numberOf(id)).pointer
                             : layout::Pointer::Arrow;
    const HCURSOR hand = pointer == layout::Pointer::WritingHand    ? look_->pictures().writingHand()
                         : pointer == layout::Pointer::PointingHand ? look_->pictures().pointingHand()
                                                                    : nullptr;
    if (hand)
        SetCursor(hand);
    return hand != nullptr;
}

// Moved to a monitor of another dpi: the suggested frame, and everything drawn anew for the dpi.
void Form1::dpiChanged(int dpi, const RECT& suggested)
{
    look_.emplace(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        place(child);
    setIcons();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

AnswerBox& Form1::box(int number) const { return *boxes_.at(static_cast<std::size_t>(number - 1)); }

std::string Form1::text(int box) const
{
    const HWND edit = this->box(box).window();
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return utf8(text);
}

void Form1::setText(int box, const std::string& text) { this->box(box).replaceText(wide(text)); }

void Form1::setTextColour(int box, Rgb colour)
{
    ink_.at(static_cast<std::size_t>(box - 1)) = colour;
    InvalidateRect(this->box(box).window(), nullptr, TRUE);
}

void Form1::setCaption(int label, const std::string& caption)
{
    SetWindowTextW(control(control_ids::ofLabel(label)), wide(caption).c_str());
    repaint(control_ids::labelLook(label).rect);
    // The boxes named after this header's number are named anew.
    for (int number = 1; number <= kCellCount; ++number) {
        const Cell cell = cellAt(number);
        if (cell.rowHeaderLabel == label || cell.columnHeaderLabel == label)
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, box(number).window(), OBJID_CLIENT, CHILDID_SELF);
    }
}

void Form1::setLabel22Enabled(bool enabled) { EnableWindow(control(control_ids::ofLabel(kNewExerciseLabel)), enabled); }

void Form1::setImageVisible(int image, bool visible)
{
    ShowWindow(control(control_ids::ofImage(image)), visible ? SW_SHOWNA : SW_HIDE);
    if (visible)
        tellVerdict(image);
}

// A verdict becomes the description of the box in focus, which a screen reader
// speaks; the waiting face takes old verdicts away.
void Form1::tellVerdict(int face)
{
    for (int number = 1; number <= kCellCount; ++number) {
        std::wstring& verdict = verdicts_.at(static_cast<std::size_t>(number - 1));
        const bool focused = GetFocus() == box(number).window();
        std::wstring now = face == faces::waiting ? L"" : focused ? wide(spokenNameOfImage(face)) : verdict;
        if (now != verdict) {
            verdict = std::move(now);
            NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, box(number).window(), OBJID_CLIENT, CHILDID_SELF);
        }
    }
}

void Form1::endProgram() { DestroyWindow(window_); }

void Form1::gotFocus(int box)
{
    focused_ = box;
    handlers_.GotFocus(box, comingBack_);
}

std::int16_t Form1::keyPress(int box, std::int16_t keyChar) { return handlers_.KeyPress(box, keyChar); }

void Form1::keyUp(int box) { handlers_.KeyUp(box); }

// Tab and Shift+Tab go round the 40 boxes.
void Form1::tabFrom(int box, bool backwards)
{
    const int next = backwards ? (box + kCellCount - 2) % kCellCount + 1 : box % kCellCount + 1;
    SetFocus(this->box(next).window());
    this->box(next).caretToEnd();
}

std::wstring Form1::spokenName(int box) const
{
    const Cell cell = cellAt(box);
    const auto caption = [&](int label) { return utf8(windowText(control(control_ids::ofLabel(label)))); };
    return wide(vendaro::spokenName(box, caption(cell.rowHeaderLabel), caption(cell.columnHeaderLabel)));
}

std::wstring Form1::verdict(int box) const { return verdicts_.at(static_cast<std::size_t>(box - 1)); }
