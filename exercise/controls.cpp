#include "controls.h"

namespace vendaro {

namespace {

void setFaces(Controls& controls, int shown)
{
    for (const int face : {faces::waiting, faces::right, faces::wrong})
        controls.setImageVisible(face, face == shown);
}

} // namespace

void showFace(Controls& controls, int face) { setFaces(controls, face); }

void hideFaces(Controls& controls) { setFaces(controls, 0); }

} // namespace vendaro
