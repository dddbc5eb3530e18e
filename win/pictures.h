#pragma once

#include "owned.h"
#include "picture_files.h"
#include "scale.h"

#include <array>

// The drill's pictures at one dpi. The build draws each SVG of the board as a
// PNG at the scales Windows offers; each picture is decoded once from the
// scale at or next above the dpi's, and shrunk to fit where none matches.
class Pictures {
public:
    using Picture = vendaro::layout::Picture;

    explicit Pictures(Scale scale);

    // Premultiplied 32-bit pixels, top-down, at the picture's size for the dpi;
    // null for a picture that did not load, and the drill goes on without it.
    HBITMAP bitmap(Picture picture) const { return bitmaps_[index(picture)].get(); }
    SIZE size(Picture picture) const;

    // The hands, at the size Windows gives a pointer at this dpi, with their hot spots.
    HCURSOR writingHand() const { return writingHand_.get(); }
    HCURSOR pointingHand() const { return pointingHand_.get(); }

private:
    static std::size_t index(Picture picture) { return static_cast<std::size_t>(picture); }
    OwnedCursor pointer(Picture picture) const;

    Scale scale_;
    std::array<OwnedBitmap, vendaro::layout::kPictureCount> bitmaps_;
    OwnedCursor writingHand_;
    OwnedCursor pointingHand_;
};
