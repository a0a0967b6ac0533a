// What the game's tests share: the game's headers, a real software GL
// context (800 x 600) with the game's own GL set-up, a known start, and the
// reference pictures.
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

#include <cstring>
#include <functional>

// The context current, the game's GL set-up (fonts too) made in it once.
void useGameGraphics();
// Size n solved and every other cell empty, no turn, no selection, keys up,
// the title screen unspun, the frame counter at rest, the clocks at ms.
void resetGame(int n, int ms = 0);
// One whole frame at run clock ms.
void frameAt(int ms);
// visit(x, y, z) for every cubie, in the cube pass's order.
void eachCubie(const std::function<void(int, int, int)>& visit);
// The frame drawn so far against tests/NAME.png, looked at by eye once: a
// failure when more than a few colour values differ by more than a shade
// (llvmpipe may round an edge otherwise on another processor).
// TORVELO_NEW_PICTURES=1 in the environment writes the picture instead.
void expectPicture(const char* name);
