#pragma once

#include <cstdint>
#include <string>

namespace vendaro {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

namespace colours {
constexpr Rgb darkBlue = 0x0000C0;
constexpr Rgb red = 0xFF0000;
constexpr Rgb green = 0x008000;
} // namespace colours

// The three faces share one square; their picture numbers are Image3..Image5.
namespace faces {
constexpr int waiting = 3;
constexpr int right = 4;
constexpr int wrong = 5;
} // namespace faces

constexpr int kNewExerciseLabel = 22; // the chalk box
constexpr int kEndLabel = 23;         // the disc

// The only way the drill's logic reaches the window. Boxes are numbered as
// Text1..Text40, labels as Label1..Label31, pictures as Image1..Image5.
class Controls {
public:
    virtual ~Controls() = default;

    virtual std::string text(int box) const = 0;
    virtual void setText(int box, const std::string& text) = 0;
    virtual void setTextColour(int box, Rgb colour) = 0;
    virtual void setCaption(int label, const std::string& caption) = 0;
    virtual void setLabel22Enabled(bool enabled) = 0;
    virtual void setImageVisible(int image, bool visible) = 0;
    virtual void endProgram() = 0;
};

// Shows one face and hides the other two, always in the order Image3, Image4, Image5.
void showFace(Controls& controls, int face);
void hideFaces(Controls& controls);

} // namespace vendaro
