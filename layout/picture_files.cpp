#include "picture_files.h"

#include <array>
#include <cstddef>

namespace vendaro::layout {
namespace {

// In the order of Picture.
constexpr std::array<PictureFile, kPictureCount> kFiles{{
    {"board", 800, 600, 0, 0},
    {"addition_arrows", 114, 163, 0, 0},
    {"subtraction_arrows", 114, 163, 0, 0},
    {"waiting_face", 48, 48, 0, 0},
    {"right_face", 48, 48, 0, 0},
    {"wrong_face", 48, 48, 0, 0},
    {"writing_hand", 32, 32, 2, 11},  // the pencil's tip
    {"pointing_hand", 32, 32, 12, 1}, // the fingertip
    {"program_icon", 32, 32, 0, 0},
}};

} // namespace

const PictureFile& pictureFile(Picture picture) { return kFiles.at(static_cast<std::size_t>(picture)); }

Picture pictureOfImage(int image)
{
    constexpr std::array kImages{Picture::AdditionArrows, Picture::SubtractionArrows, Picture::WaitingFace,
                                 Picture::RightFace, Picture::WrongFace};
    return kImages.at(static_cast<std::size_t>(image - 1));
}

} // namespace vendaro::layout
