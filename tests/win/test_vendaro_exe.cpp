// Vendaro.exe under Wine, as a pupil and a school's technician meet it.
//   test_vendaro_exe.exe <Vendaro.exe> [the dpi the Wine session started with]
#include "drill.h"

#include "form_layout.h"
#include "spoken_names.h"
#include "text.h"
#include "title.h"

#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

using namespace vendaro;

namespace {

std::wstring accessible(HWND window, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*))
{
    IAccessible* object = nullptr;
    BSTR text = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object))))
        (object->*property)(VARIANT{{{VT_I4, 0, 0, 0, {.lVal = CHILDID_SELF}}}}, &text), object->Release();
    const std::wstring result = text ? text : L"";
    SysFreeString(text);
    return result;
}

// The board's colours, each probed where it must show.
void paintsItsColours(const Drill& drill)
{
    const std::pair<POINT, Rgb> probes[] = {{{14, 12}, 0x008080},   {{60, 148}, 0xFFFF80},  {{118, 120}, 0xFFFF80},
                                            {{124, 148}, 0xFFFFC0}, {{124, 212}, 0xC0FFFF}, {{340, 408}, 0x808080},
                                            {{340, 472}, 0xFFFFFF}, {{398, 206}, 0xFFFFFF}, {{400, 512}, 0xFFFF00},
                                            {{377, 489}, 0x008080}};
    for (const auto& [point, colour] : probes)
        CHECK(drill.colourAt(point) == colour);
}

void windowAndFirstScreen()
{
    Drill drill;
    CHECK(textOf(drill.form()) == wide(layout::kTitle));
    RECT client, frame;
    GetClientRect(drill.form(), &client);
    CHECK(client.right == layout::kClientWidth && client.bottom == layout::kClientHeight);
    const LONG style = GetWindowLongW(drill.form(), GWL_STYLE);
    CHECK((style & WS_SYSMENU) && !(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(drill.form(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    GetWindowRect(drill.form(), &frame);
    CHECK(std::abs(frame.left + frame.right - monitor.rcWork.left - monitor.rcWork.right) <= 1);
    CHECK(std::abs(frame.top + frame.bottom - monitor.rcWork.top - monitor.rcWork.bottom) <= 1);

    GUITHREADINFO thread{sizeof thread, 0, {}, {}, {}, {}, {}, {}, {}};
    const DWORD id = GetWindowThreadProcessId(drill.form(), nullptr);
    CHECK(waitFor([&] { return GetGUIThreadInfo(id, &thread) && thread.hwndCaret == drill.box(1); }) &&
          drill.focus() == drill.box(1));
    CHECK(drill.face() == faces::waiting && drill.shows({510, 32, 70, 24}, 0xFFFFFF)); // the title's end
    for (const int label : {2, 6, 12, 16, 25, 27, 29, 31})
        CHECK(drill.caption(label).empty());
    CHECK(IsWindowEnabled(drill.label(kNewExerciseLabel)));
    paintsItsColours(drill);
    // A box of the last row: the edit control stays inside its sunken border, whose silver inner ring
    // shows right and below, and no ring reaches below it onto the board.
    const layout::Rect box = layout::box(17).rect;
    const int right = box.left + box.width - 2, bottom = box.top + box.height - 2;
    CHECK(drill.colourAt({right, bottom - 8}) == 0xC0C0C0 && drill.colourAt({right - 8, bottom}) == 0xC0C0C0 &&
          drill.colourAt({box.left, bottom + 2}) == 0x008080);
}

// At the dpi the session started with, the window, its pictures and its places grow with it.
void scalesWithTheDpi(int dpi)
{
    Drill drill;
    RECT client;
    GetClientRect(drill.form(), &client);
    CHECK(client.right == MulDiv(layout::kClientWidth, dpi, 96) &&
          client.bottom == MulDiv(layout::kClientHeight, dpi, 96));
    paintsItsColours(drill);
    drill.newExercise();
    CHECK(drill.caption(27) == L"20");
}

// Every box answered from the keyboard, Tab moving on, as a pupil plays.
void playsAWholeExercise()
{
    Drill drill;
    drill.newExercise();
    CHECK(drill.caption(27) == L"20" && drill.caption(31) == L"20" && !IsWindowEnabled(drill.label(22)));
    drill.answer(1, false);
    CHECK(drill.face() == faces::wrong && drill.shows(layout::box(1).rect, colours::red));
    CHECK(accessible(drill.box(1), &IAccessible::get_accDescription) == wide(spokenNameOfImage(faces::wrong)));
    drill.answer(1);
    CHECK(drill.face() == faces::right && drill.shows(layout::box(1).rect, colours::green) &&
          drill.caption(25).empty());
    for (int k = 2; k <= kCellCount; ++k) {
        drill.key(VK_TAB);
        drill.settle();
        CHECK(drill.focus() == drill.box(k) && drill.face() == faces::waiting);
        const Cell cell = cellAt(k);
        const auto header = [&](int label) { return utf8(drill.caption(label)); };
        CHECK(accessible(drill.box(k), &IAccessible::get_accName) ==
              wide(spokenName(k, header(cell.rowHeaderLabel), header(cell.columnHeaderLabel))));
        drill.answer(k);
        CHECK(drill.face() == faces::right);
    }
    CHECK(drill.shows(layout::box(kCellCount).rect, colours::darkBlue) && IsWindowEnabled(drill.label(22)));
    CHECK(drill.caption(25) == L"19" && drill.caption(29) == L"20");
    CHECK(accessible(drill.label(22), &IAccessible::get_accName) == wide(spokenNameOfLabel(22)));
    CHECK(accessible(drill.label(23), &IAccessible::get_accName) == wide(spokenNameOfLabel(23)));
}

// With no exercise drawn a release is no answer, and coming back to the
// window or to a right answer is no new chance to score it.
void mendedFaults()
{
    Drill drill;
    drill.type("S");
    CHECK(drill.caption(25).empty() && drill.face() == faces::waiting);
    drill.newExercise();
    drill.answer(1);
    CHECK(drill.caption(25) == L"1" && drill.face() == faces::right);
    const HWND other = CreateWindowW(L"STATIC", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, {}, {}, {}, {});
    SetForegroundWindow(other);
    CHECK(waitFor([&] { return GetForegroundWindow() == other; }));
    DestroyWindow(other);
    CHECK(waitFor([&] { return GetForegroundWindow() == drill.form() && drill.focus() == drill.box(1); }));
    drill.settle();
    CHECK(drill.face() == faces::right);
    drill.clickBox(2);
    drill.clickBox(1);
    drill.type("S");
    CHECK(drill.caption(25) == L"1" && drill.face() == faces::right);
}

void setClipboard(const std::wstring& text)
{
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    lstrcpyW(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str());
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// Half of a two-digit answer, selected, and "12" on the clipboard: a route
// that got through would change it. An input method's result and text set from
// outside are typed through the filter, a character at a time.
void noRouteButTypingPutsTextInABox()
{
    Drill drill;
    drill.newExercise();
    const int k = drill.boxWithDigits(2);
    const HWND box = drill.box(k);
    drill.clickBox(k);
    drill.type("1");
    drill.chord({VK_SHIFT, VK_HOME});
    setClipboard(L"12");
    const auto untouched = [&] {
        const HWND menu = FindWindowW(L"#32768", nullptr);
        return drill.text(k) == L"1" && drill.face() == faces::waiting && !(menu && IsWindowVisible(menu));
    };
    const WORD chords[][2] = {{VK_CONTROL, 'V'}, {VK_SHIFT, VK_INSERT}, {VK_CONTROL, 'X'}, {VK_SHIFT, VK_DELETE},
                              {VK_CONTROL, 'Z'}, {VK_MENU, VK_BACK},    {VK_SHIFT, VK_F10}};
    for (const auto& keys : chords) {
        drill.chord({keys[0], keys[1]});
        CHECK(untouched());
    }
    drill.click({layout::box(k).rect.left + 5, layout::box(k).rect.top + 5}, true);
    for (const UINT message : std::initializer_list<UINT>{WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO, EM_UNDO})
        SendMessageW(box, message, 0, 0);
    CHECK(untouched() && !(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_ACCEPTFILES));

    for (const wchar_t character : std::wstring(L"\u00e9-a1x"))
        SendMessageW(box, WM_IME_CHAR, character, 1);
    CHECK(drill.text(k) == L"1");
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"ab7"));
    CHECK(drill.text(k) == L"7");
    SendMessageW(box, EM_SETSEL, 1, 1);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"7"));
    CHECK(drill.face() == faces::wrong);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(drill.expected(k).c_str()));
    CHECK(drill.text(k) == drill.expected(k) && drill.face() == faces::right);
}

// A click is a left press and release over one control; a held key repeats
// its press but is judged once, at its release; Ctrl with a letter is a key
// like any other; the disc and the close command end the program.
void clicksKeysAndTheWaysOut()
{
    constexpr POINT chalk{60, 540}, disc{140, 540}, board{400, 16};
    {
        Drill drill;
        drill.click(chalk, true);
        drill.click(chalk, false, board);
        drill.click(disc, true);
        drill.click(disc, false, board);
        CHECK(drill.caption(27).empty() && drill.exitStatus(0) == -1);
        drill.newExercise();
        const int k = drill.boxWithDigits(1);
        drill.clickBox(k);
        const auto digit = static_cast<WORD>(drill.expected(k).front());
        for (int repeat = 0; repeat < 3; ++repeat)
            drill.key(digit, true, false);
        drill.key(digit, false, true);
        drill.settle();
        CHECK(drill.text(k) == drill.expected(k) && drill.shows(layout::box(k).rect, colours::darkBlue));
        CHECK(drill.caption(k > 20 ? 29 : 25) == L"1");
        drill.clickBox(1);
        for (const WORD letter : {'A', 'Z'}) {
            drill.answer(1, false);
            drill.chord({VK_CONTROL, letter});
            CHECK(drill.text(1).empty());
        }
        drill.click(disc);
        CHECK(drill.exitStatus() == 0);
    }
    Drill drill;
    PostMessageW(drill.form(), WM_SYSCOMMAND, SC_CLOSE, 0); // what the close box sends
    CHECK(drill.exitStatus() == 0);
}

} // namespace

// Every test at 96 dpi, or, given another dpi that the session started with, the drill at that dpi.
int wmain(int argc, wchar_t* argv[])
{
    programPath = argc >= 2 ? argv[1] : L"Vendaro.exe";
    const int dpi = argc >= 3 ? _wtoi(argv[2]) : 96;
    // Aware of each monitor's dpi, as the drill is: a program that is not sees
    // the drill's sizes and pixels scaled back to 96 dpi.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    using Test = std::pair<std::string, std::function<void()>>;
    const std::vector<Test> tests =
        dpi != 96 ? std::vector<Test>{{"at " + std::to_string(dpi) + " dpi", [dpi] { scalesWithTheDpi(dpi); }}}
                  : std::vector<Test>{{"window and first screen", windowAndFirstScreen},
                                      {"a whole exercise", playsAWholeExercise},
                                      {"mended faults", mendedFaults},
                                      {"routes into a box", noRouteButTypingPutsTextInABox},
                                      {"clicks, keys and the ways out", clicksKeysAndTheWaysOut}};
    for (const auto& [name, test] : tests) {
        const int before = failures;
        test();
        std::printf("%s %s\n", failures == before ? "PASS" : "FAIL", name.c_str()), std::fflush(stdout);
    }
    return failures ? 1 : 0;
}
