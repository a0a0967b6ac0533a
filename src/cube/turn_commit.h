// The layer turn's rule: which cubies a quarter turn moves, and the colours
// it gives each, gathered from the snapshot. computeCubieColors and the
// scramble's move loop both take it from here. Internal to the cube model.
#pragma once

#include "cube/cube.h"

// Face maps: which source entry lands in each destination entry.
inline constexpr int FACE_MAP_X_POS[6] = {0, 1, 5, 4, 2, 3};
inline constexpr int FACE_MAP_X_NEG[6] = {0, 1, 4, 5, 3, 2};
inline constexpr int FACE_MAP_Y_POS[6] = {4, 5, 2, 3, 1, 0};
inline constexpr int FACE_MAP_Y_NEG[6] = {5, 4, 2, 3, 0, 1};

inline void gatherColors(Cubie& out, const Cubie& source, const int (&faceMap)[6])
{
    for (int f = 0; f < 6; f++)
        out[f] = source[faceMap[f]];
}

// True when a turn of layer (0: the whole cube, k: the layer at k - 1) moves
// a cubie whose coordinate along the turn's axis is c.
inline bool layerTurns(int layer, int c)
{
    return layer == 0 || layer == c + 1;
}

// Cubie (x, y, z)'s colours after a turn about X with the sign of turnAxisX:
// its source is the snapshot cell whose cubie rotates into (x, y, z).
// last is cubeLast.
inline void turnedColorsX(Cubie& out, int x, int y, int z, int sign, int last)
{
    if (sign > 0)
        gatherColors(out, cubeSnapshot[x][z][last - y], FACE_MAP_X_POS);
    else
        gatherColors(out, cubeSnapshot[x][last - z][y], FACE_MAP_X_NEG);
}

// The same about Y, with the sign of turnAxisY.
inline void turnedColorsY(Cubie& out, int x, int y, int z, int sign, int last)
{
    if (sign > 0)
        gatherColors(out, cubeSnapshot[last - z][y][x], FACE_MAP_Y_POS);
    else
        gatherColors(out, cubeSnapshot[z][y][last - x], FACE_MAP_Y_NEG);
}

// Cases 2 and 3 of computeCubieColors for cubie (x, y, z) under the turn
// (axisX, axisY, layer): when it moves the cubie, the turned colours into out
// and true. The about-X case is tested first. The selectors come as values,
// so a caller writing cubeLive in a loop need not read them again.
inline bool turnedColors(Cubie& out, int x, int y, int z, int axisX, int axisY, int layer, int last)
{
    if (axisX != 0 && layerTurns(layer, x)) {
        turnedColorsX(out, x, y, z, axisX, last);
        return true;
    }
    if (axisY != 0 && layerTurns(layer, y)) {
        turnedColorsY(out, x, y, z, axisY, last);
        return true;
    }
    return false;
}
