#pragma once

#include "answer_box.h"
#include "cells.h"
#include "controls.h"
#include "handlers.h"
#include "look.h"
#include "random_source.h"

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

// The drill's one window: the chalkboard with its 76 controls. It owns the
// exercise state and hands every event of its boxes and click areas to the
// drill's handlers, which reach back only through the Controls operations.
class Form1 final : public vendaro::Controls, private BoxEvents {
public:
    // Exercises are drawn from `random`, seeded from `clock`; both outlive the window.
    Form1(HINSTANCE instance, vendaro::RandomSource& random, const vendaro::Clock& clock);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Shows the window centred on the primary monitor, the focus in Text1.
    void showCentred();

    std::string text(int box) const override;
    void setText(int box, const std::string& text) override;
    void setTextColour(int box, vendaro::Rgb colour) override;
    void setCaption(int label, const std::string& caption) override;
    void setLabel22Enabled(bool enabled) override;
    void setImageVisible(int image, bool visible) override;
    void endProgram() override;

private:
    static void registerClasses(HINSTANCE instance);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK partProc(HWND part, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT clickArea(HWND area, UINT message, LPARAM lParam);

    void createControls();
    void createBox(int number);
    void createPart(int id, const std::string& text);
    RECT placeOf(int id) const;
    void setBoxFont(HWND box) const;
    void place(HWND control);
    void setIcons();
    void repaint(const vendaro::layout::Rect& place);
    void paint(HWND part);
    void activated();
    bool setPointer(HWND over);
    void dpiChanged(int dpi, const RECT& suggested);
    void tellVerdict(int face);

    void gotFocus(int box) override;
    std::int16_t keyPress(int box, std::int16_t keyChar) override;
    void keyUp(int box) override;
    void tabFrom(int box, bool backwards) override;
    std::wstring spokenName(int box) const override;
    std::wstring verdict(int box) const override;

    AnswerBox& box(int number) const;
    HWND control(int id) const { return GetDlgItem(window_, id); }

    HINSTANCE instance_;
    HWND window_ = nullptr;
    vendaro::Handlers handlers_;
    std::optional<Look> look_;
    OwnedIcon bigIcon_, smallIcon_;
    std::array<std::unique_ptr<AnswerBox>, vendaro::kCellCount> boxes_;
    std::array<vendaro::Rgb, vendaro::kCellCount> ink_{};
    std::array<std::wstring, vendaro::kCellCount> verdicts_;
    bool comingBack_ = false;
    int focused_ = 1; // the box that had the focus last
};
