// Counting text pixels on the software context's frame.
#pragma once

#include "support/test_gl.h"

struct Box {
    int x0, y0, x1, y1;  // inclusive, window pixels, origin lower left
};

// Pixels of exactly this colour inside the box.
int countColour(const unsigned char* frame, Box box, Rgb colour);
// Non-black pixels inside the box.
int countLit(const unsigned char* frame, Box box);
// Non-black pixels outside every box of the list.
int countLitOutside(const unsigned char* frame, const Box* boxes, int count);
