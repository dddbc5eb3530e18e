#include "look.h"

#include "face.h"
#include "form_layout.h"

namespace {

OwnedFont faceAt(int pixels)
{
    // A negative height asks for the em, as the layout gives sizes.
    return OwnedFont(CreateFontW(-pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_ONLY_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, kFaceFamily));
}

// The face's own advances: at an em of 2048 pixels, its design's units.
std::array<double, 128> designAdvances()
{
    constexpr int kEm = 2048;
    OwnedFont design = faceAt(kEm);
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, design.get());
    std::array<INT, 128> widths{};
    GetCharWidth32W(screen, 0, 127, widths.data());
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    std::array<double, 128> advances{};
    for (std::size_t c = 0; c < widths.size(); ++c)
        advances[c] = static_cast<double>(widths[c]) / kEm;
    return advances;
}

} // namespace

COLORREF colourRef(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

Look::Look(int dpi)
    : scale_{dpi}, pictures_(scale_), boxBackground_(CreateSolidBrush(colourRef(vendaro::layout::kBoxBackground))),
      advances_(designAdvances())
{
    fonts_.emplace(vendaro::layout::kBoxFontPixels, faceAt(scale_.px(vendaro::layout::kBoxFontPixels)));
    for (const auto& label : vendaro::layout::labels())
        if (label.fontPixels > 0 && !fonts_.contains(label.fontPixels))
            fonts_.emplace(label.fontPixels, faceAt(scale_.px(label.fontPixels)));
}

HFONT Look::font(int pixels) const { return fonts_.at(pixels).get(); }

double Look::advance(wchar_t character) const { return character < 128 ? advances_[character] : 0; }
