#pragma once

#include "controls.h"

#include <optional>
#include <string>
#include <vector>

// Where every control of the window stands and how it looks when created.
// Places are laid out in twips for 96 dpi, 15 twips to the pixel. Plain C++:
// the desktop window and the browser page both build from it.
namespace vendaro::layout {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 792;
constexpr int kClientHeight = 566;

enum class Pointer { Arrow, WritingHand, TextBeam, PointingHand };
enum class Align { Left, Centre }; // text starts at the top either way

struct Rect {
    int left, top, width, height; // pixels
};

struct LabelLook {
    int number; // Label<number>
    Rect rect;
    std::string caption;
    int fontPixels; // 0: the label never shows text
    Rgb textColour;
    std::optional<Rgb> background; // none: transparent
    bool sunkenBorder;
    Align alignment;
    Pointer pointer;
};

struct BoxLook {
    int number; // Text<number>, which is also its cell
    Rect rect;
    Pointer pointer;
};

struct PictureLook {
    int number; // Image<number>
    Rect rect;
};

constexpr int kBoxFontPixels = 37;
constexpr Rgb kBoxText = 0x0000C0;
constexpr Rgb kBoxBackground = 0xC0FFFF;

Rect fromTwips(int left, int top, int width, int height);

BoxLook box(int number);             // 1..40
std::vector<LabelLook> labels();     // Label1..Label31, in number order
std::vector<PictureLook> pictures(); // Image1..Image5

// Control names from the back of the window to the front.
std::vector<std::string> stackingBackToFront();

} // namespace vendaro::layout
