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

// The layers a turn moves, as the coordinates [first, end) along its axis:
// turnLayer 0 moves all n, k the one layer at k - 1 (none, past the cube).
struct LayerRange {
    int first, end;
};
inline LayerRange turningLayers(int layer, int n)
{
    return layer == 0 ? LayerRange{0, n} : LayerRange{layer - 1, layer < n ? layer : n};
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
