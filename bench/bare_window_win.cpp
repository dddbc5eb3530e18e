// The yardstick of the Windows start-up benchmark: a bare Win32 window with the
// drill's title, client size and fixed frame, centred as the drill is, and
// painted with a plain brush.

#include "form_layout.h"
#include "text.h"
#include "title.h"

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kClass[] = L"BareWindow";
// The drill's frame: fixed, with the close box only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClass;
    RegisterClassExW(&windowClass);
}

// The frame around the drill's client area, centred on the primary monitor's work area.
RECT centredFrame()
{
    RECT frame{0, 0, vendaro::layout::kClientWidth, vendaro::layout::kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    registerClass(instance);
    const RECT frame = centredFrame();
    const HWND window =
        CreateWindowExW(0, kClass, wide(vendaro::layout::kTitle).c_str(), kStyle, frame.left, frame.top,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
