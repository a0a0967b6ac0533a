// Where the stickers of the drawn cube should land on screen, worked out in
// the test from the camera, the view spin and the cubie's place.
#pragma once

// Calls visit(x, y, z, face, winX, winY) for every outer sticker of the cube
// that faces the camera clearly, after an optional whole-cube rotation of
// angle degrees about (ax, ay, 0).
template <typename Visit>
void forEachVisibleSticker(double angle, int ax, int ay, Visit visit);

#include "sticker_projection_impl.h"
