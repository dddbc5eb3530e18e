#include "scale.h"

namespace {

// Functions that Windows 7 lacks are looked up where they are needed.
template <typename Function>
Function* fromDll(const wchar_t* dll, const char* name)
{
    const HMODULE module = LoadLibraryW(dll);
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

int systemDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

int dpiOfWindow(HWND window)
{
    using GetDpiForWindow = UINT WINAPI(HWND);
    static auto* const get = fromDll<GetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    return get ? static_cast<int>(get(window)) : systemDpi();
}

int dpiOfPrimaryMonitor()
{
    using GetDpiForMonitor = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    static auto* const get = fromDll<GetDpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    const HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return get && SUCCEEDED(get(primary, 0, &x, &y)) ? static_cast<int>(y) : systemDpi();
}

RECT frameAround(int width, int height, DWORD style, int dpi)
{
    using AdjustForDpi = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    static auto* const adjust = fromDll<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT frame{0, 0, width, height};
    if (adjust)
        adjust(&frame, style, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, style, FALSE, 0);
    return frame;
}
