// What the game's tests share: its headers, a real software GL context
// (OSMesa, 800 x 600, RGBA) and a known starting point.
#pragma once

#include "cube/cube.h"
#include "cube/game_state.h"
#include "headless/headless.h"
#include "platform/input.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#define EACH_CUBIE(x, y, z)                                                                                  \
    for (int x = 0; x < cubeSize; x++)                                                                       \
        for (int y = 0; y < cubeSize; y++)                                                                   \
            for (int z = 0; z < cubeSize; z++)

struct Rgb {
    int r, g, b;
};

// Creates the context once and makes it current; later calls only make it
// current again. Sets the unpack alignment glyph bitmaps need.
void useTestGLContext();
// The context, then the game's own GL set-up (viewport, fixed state, fonts), once.
void useGameGraphics();
// Size n, solved (the rest of the grid cleared), no turn, no selection, the
// title state, view angles 0, keys up, clock at ms.
void resetGame(int n, int ms = 0);
// The whole colour buffer, 3 bytes a pixel, rows bottom to top.
void readFrame(unsigned char* rgb);
