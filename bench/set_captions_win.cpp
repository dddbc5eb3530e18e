// Shows given captions on the labels of the running Vendaro.exe, as another
// program may set any window's text, so that scripts/compare_windows.sh can
// compare it with the Linux window showing the same exercise.
//   SetCaptions.exe <label>=<caption>...

#include "control_ids.h"

#include <windows.h>

#include <cwchar>
#include <string>

int wmain(int argc, wchar_t* argv[])
{
    const HWND form = FindWindowW(L"Vendaro", nullptr);
    if (!form) {
        std::fputs("SetCaptions: Vendaro.exe is not running\n", stderr);
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        const std::wstring pair = argv[i];
        const auto equals = pair.find(L'=');
        const int label = std::wcstol(pair.c_str(), nullptr, 10);
        SetWindowTextW(GetDlgItem(form, control_ids::ofLabel(label)), pair.substr(equals + 1).c_str());
    }
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return 0;
}
