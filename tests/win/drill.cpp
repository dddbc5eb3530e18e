#include "drill.h"

#include "form_layout.h"

namespace {

// Where the drill shows each of its four pointers, in the order of Drill::Pointer.
constexpr POINT kSpots[] = {{400, 16}, {140, 540}, {344, 184}, {704, 184}};

int pointerAt(POINT point)
{
    const auto inside = [&](const vendaro::layout::Rect& r) {
        return point.x >= r.left && point.x < r.left + r.width && point.y >= r.top && point.y < r.top + r.height;
    };
    for (int k = 1; k <= vendaro::kCellCount; ++k)
        if (inside(vendaro::layout::box(k).rect))
            return k <= vendaro::kCellsPerTable ? Drill::kWriting : Drill::kTextBeam;
    for (const auto& label : vendaro::layout::labels())
        if (label.pointer == vendaro::layout::Pointer::PointingHand && inside(label.rect))
            return Drill::kHand;
    return Drill::kArrow;
}

void send(INPUT input) { SendInput(1, &input, sizeof input); }

} // namespace

Drill::Drill()
{
    STARTUPINFOW startup{sizeof(STARTUPINFOW), {}, {}, {}, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, {}, {}, {}};
    std::wstring command = L"\"" + programPath + L"\"";
    CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
    // The drill of an earlier test has ended: its window is gone.
    waitFor([&] { return (form_ = FindWindowW(L"Vendaro", nullptr)) && box(1) && focus() == box(1); });
    RECT client{};
    GetClientRect(form_, &client);
    width_ = client.right;
    // The drill's four pointers, learnt one by one from the spots that show
    // them, starting from a click into Text2 and back, which moves the focus
    // only once handled.
    for (const int k : {2, 1}) {
        clickBox(k, false);
        waitFor([&] { return focus() == box(k); });
    }
    pointers_[kWriting] = pointer();
    for (const int kind : {kTextBeam, kHand, kArrow}) {
        moveTo(kSpots[kind]);
        waitFor([&] { return pointer() && kindOf(pointer()) < 0; });
        pointers_[kind] = pointer();
    }
    moved_ = 0;
}

int Drill::face() const
{
    int shown = 0;
    for (const int face : {vendaro::faces::waiting, vendaro::faces::right, vendaro::faces::wrong})
        if (IsWindowVisible(GetDlgItem(form_, control_ids::ofImage(face))))
            shown = shown ? -1 : face;
    return shown;
}

HWND Drill::focus() const
{
    GUITHREADINFO info{sizeof info, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

POINT Drill::device(POINT place) const
{
    place = {MulDiv(place.x, width_, vendaro::layout::kClientWidth),
             MulDiv(place.y, width_, vendaro::layout::kClientWidth)};
    ClientToScreen(form_, &place);
    return place;
}

vendaro::Rgb Drill::colourAt(POINT place) const
{
    place = device(place);
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, place.x, place.y);
    ReleaseDC(nullptr, screen);
    return GetRValue(pixel) << 16 | GetGValue(pixel) << 8 | GetBValue(pixel);
}

bool Drill::shows(const vendaro::layout::Rect& place, vendaro::Rgb ink) const
{
    const POINT from = device({place.left, place.top}),
                to = device({place.left + place.width, place.top + place.height});
    const HDC screen = GetDC(nullptr);
    bool found = false;
    for (int y = from.y; y < to.y && !found; ++y)
        for (int x = from.x; x < to.x && !found; ++x)
            found = GetPixel(screen, x, y) == RGB(ink >> 16, (ink >> 8) & 0xFF, ink & 0xFF);
    ReleaseDC(nullptr, screen);
    return found;
}

std::wstring Drill::expected(int k) const
{
    const vendaro::Cell cell = vendaro::cellAt(k);
    const long row = std::wcstol(caption(cell.rowHeaderLabel).c_str(), nullptr, 10);
    const long column = std::wcstol(caption(cell.columnHeaderLabel).c_str(), nullptr, 10);
    return std::to_wstring(cell.table == vendaro::Table::Addition ? row + column : row - column);
}

void Drill::key(WORD virtualKey, bool down, bool up)
{
    const auto scan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    if (down)
        send({INPUT_KEYBOARD, {.ki = {virtualKey, scan, 0, 0, 0}}});
    if (up)
        send({INPUT_KEYBOARD, {.ki = {virtualKey, scan, KEYEVENTF_KEYUP, 0, 0}}});
}

void Drill::type(const std::string& keys)
{
    for (const char c : keys)
        key(c == 'S' ? VK_SHIFT : LOBYTE(VkKeyScanW(static_cast<wchar_t>(c))));
    settle();
}

void Drill::chord(std::initializer_list<WORD> keys)
{
    for (const WORD k : keys)
        key(k, true, false);
    for (auto k = std::rbegin(keys); k != std::rend(keys); ++k)
        key(*k, false, true);
    settle();
}

// Every event of the mouse says where it happens, so that none lands where
// the pointer was a moment before.
void Drill::moveTo(POINT where, DWORD buttons)
{
    moved_ |= 1u << pointerAt(where);
    where = device(where);
    // Absolute places are in 65536ths of the screen, rounded up to land on the pixel.
    const auto absolute = [](LONG pixel, int screen) { return (pixel * 65536 + screen - 1) / screen; };
    send({INPUT_MOUSE,
          {.mi = {absolute(where.x, GetSystemMetrics(SM_CXSCREEN)), absolute(where.y, GetSystemMetrics(SM_CYSCREEN)), 0,
                  MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons, 0, 0}}});
}

void Drill::click(POINT where, bool right, POINT release, bool settled)
{
    moveTo(where, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    moveTo(release.x >= 0 ? release : where, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    if (settled)
        settle();
}

// The mouse goes where the drill shows a pointer that neither the screen nor
// any move still waiting can show, so that only this move shows it.
void Drill::settle()
{
    const int shown = kindOf(pointer());
    const unsigned taken = moved_ | (shown >= 0 ? 1u << shown : 0u);
    int kind = 0;
    while (taken & (1u << kind))
        ++kind;
    moveTo(kSpots[kind]);
    waitFor([&] { return pointer() == pointers_[kind] || exitStatus(0) >= 0; });
    moved_ = 0;
}
