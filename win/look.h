#pragma once

#include "owned.h"
#include "pictures.h"
#include "scale.h"

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
    HBRUSH boxBackground() const { return boxBackground_.get(); }

private:
    Scale scale_;
    Pictures pictures_;
    OwnedBrush boxBackground_;
    std::map<int, OwnedFont> fonts_;
};

// A colour as 0xRRGGBB, as Windows takes it.
COLORREF colourRef(unsigned rgb);
