#include "cube/cube.h"

bool turnAnimating = false;
int turnAxisX = 0;
int turnAxisY = 0;
int turnAxisZ = 0;
int turnLayer = 0;

// Face maps: which source entry lands in each destination entry.
static const int FACE_MAP_X_POS[6] = {0, 1, 5, 4, 2, 3};
static const int FACE_MAP_X_NEG[6] = {0, 1, 4, 5, 3, 2};
static const int FACE_MAP_Y_POS[6] = {4, 5, 2, 3, 1, 0};
static const int FACE_MAP_Y_NEG[6] = {5, 4, 2, 3, 0, 1};

// Gathers the turned colours from the snapshot: the source cell (sx, sy, sz)
// is the one whose cubie rotates into (x, y, z).
static void commitFrom(int x, int y, int z, int sx, int sy, int sz, const int faceMap[6])
{
    const Cubie& source = cubeSnapshot[sx][sy][sz];
    for (int f = 0; f < 6; f++)
        cubieColors[f] = source[faceMap[f]];
    copyCubie(cubeLive[x][y][z], cubieColors);
}

void computeCubieColors(int x, int y, int z)
{
    const int last = cubeLast;
    if (turnAnimating) {
        copyCubie(cubieColors, cubeLive[x][y][z]);
    } else if (turnAxisX != 0 && (turnLayer == 0 || turnLayer == x + 1)) {
        if (turnAxisX > 0)
            commitFrom(x, y, z, x, z, last - y, FACE_MAP_X_POS);
        else
            commitFrom(x, y, z, x, last - z, y, FACE_MAP_X_NEG);
    } else if (turnAxisY != 0 && (turnLayer == 0 || turnLayer == y + 1)) {
        if (turnAxisY > 0)
            commitFrom(x, y, z, last - z, y, x, FACE_MAP_Y_POS);
        else
            commitFrom(x, y, z, z, y, last - x, FACE_MAP_Y_NEG);
    } else {
        copyCubie(cubieColors, cubeLive[x][y][z]);
    }
}
