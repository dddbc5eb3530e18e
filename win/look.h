#pragma once

#include "owned.h"
#include "pictures.h"
#include "scale.h"

#include <array>
#include <map>

// What the board is drawn with at one dpi: the scale, the faces at each size
// the captions use, the pictures and pointers. Made anew when the dpi changes.
class Look {
public:
    explicit Look(int dpi);

    const Scale& scale() const { return scale_; }
    const Pictures& pictures() const { return pictures_; }
    // The captions' face, bold, at a size in pixels at 96 dpi.
    HFONT font(int pixels) const;
    // A character's advance in the face's design, in ems; 0 for one it has not.
    double advance(wchar_t character) const;
    HBRUSH boxBackground() const { return boxBackground_.get(); }

private:
    Scale scale_;
    Pictures pictures_;
    OwnedBrush boxBackground_;
    std::map<int, OwnedFont> fonts_;
    std::array<double, 128> advances_{}; // of the ASCII characters, all the face holds
};

// A colour as 0xRRGGBB, as Windows takes it.
COLORREF colourRef(unsigned rgb);
