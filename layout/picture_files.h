#pragma once

namespace vendaro::layout {

// Every picture of the drill, each an SVG file of assets/ that both the window
// and the page draw from.
enum class Picture {
    Board,
    AdditionArrows,
    SubtractionArrows,
    WaitingFace,
    RightFace,
    WrongFace,
    WritingHand,
    PointingHand,
    ProgramIcon
};

constexpr int kPictureCount = 9;

struct PictureFile {
    const char* name;       // the file's name without ".svg"
    int width, height;      // as drawn, in pixels at 96 dpi
    int hotSpotX, hotSpotY; // for the pointers: the pixel that points
};

const PictureFile& pictureFile(Picture picture);

// What Image1..Image5 show: the two pairs of arrows and the three faces.
Picture pictureOfImage(int image);

} // namespace vendaro::layout
