#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <Qt>

#include <vector>

// Where every control of the window stands and how it looks when created.
// Places are laid out in twips for 96 dpi, 15 twips to the pixel.
namespace layout {

constexpr int kTwipsPerPixel = 15;
constexpr QSize kClientSize{792, 566};

enum class Pointer { Arrow, WritingHand, TextBeam, PointingHand };

struct LabelLook {
    int number; // Label<number>
    QRect rect; // pixels
    QString caption;
    int fontPixels; // 0: the label never shows text
    QColor textColour;
    QColor background; // invalid: transparent
    bool sunkenBorder;
    Qt::Alignment alignment;
    Pointer pointer;
};

struct BoxLook {
    int number; // Text<number>, which is also its cell
    QRect rect;
    Pointer pointer;
};

struct PictureLook {
    int number; // Image<number>
    QRect rect;
};

constexpr int kBoxFontPixels = 37;
const QColor kBoxText{0x00, 0x00, 0xC0};
const QColor kBoxBackground{0xC0, 0xFF, 0xFF};

QRect fromTwips(int left, int top, int width, int height);

BoxLook box(int number);             // 1..40
std::vector<LabelLook> labels();     // Label1..Label31, in number order
std::vector<PictureLook> pictures(); // Image1..Image5

// Control names from the back of the window to the front.
std::vector<QString> stackingBackToFront();

} // namespace layout
