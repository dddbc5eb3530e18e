#include "face.h"
#include "form1.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The pictures are decoded and the boxes described to screen readers through COM.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    registerFace();

    vendaro::SystemRandom random;
    const vendaro::SystemClock clock;
    Form1 form(instance, random, clock);
    form.showCentred();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
