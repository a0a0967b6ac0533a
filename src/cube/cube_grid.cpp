#include "cube/cube.h"

#include <cstring>

int cubeSize = 3;
int cubeLast = cubeSize - 1;
CubeGrid cubeLive = {};
CubeGrid cubeSnapshot = {};
Cubie cubieColors = {};

void setCubeSize(int n)
{
    cubeSize = n;
    cubeLast = n - 1;
}

static void writeBoth(int x, int y, int z, FaceIndex f, StickerColor code)
{
    cubeLive[x][y][z][f] = code;
    cubeSnapshot[x][y][z][f] = code;
}

void resetCubeSolved()
{
    const int n = cubeSize;
    for (int x = 0; x < n; x++)
        for (int y = 0; y < n; y++)
            for (int z = 0; z < n; z++) {
                // Inner sides must be black even when an earlier, different
                // size left outer codes there.
                for (int f = 0; f < 6; f++)
                    writeBoth(x, y, z, f, NO_STICKER);
                if (x == 0)
                    writeBoth(x, y, z, FACE_LEFT, YELLOW);
                if (x == n - 1)
                    writeBoth(x, y, z, FACE_RIGHT, GREEN);
                if (y == 0)
                    writeBoth(x, y, z, FACE_BOTTOM, WHITE);
                if (y == n - 1)
                    writeBoth(x, y, z, FACE_TOP, BLUE);
                if (z == 0)
                    writeBoth(x, y, z, FACE_BACK, ORANGE);
                if (z == n - 1)
                    writeBoth(x, y, z, FACE_FRONT, RED);
            }
}

// The rows of cells along z lie next to each other, and with n known to the
// compiler (inlined with the sizes the game plays) a row's copy is a few
// wide moves; the scramble takes 150 snapshots per game start.
static inline void snapshotRows(int n)
{
    for (int x = 0; x < n; x++)
        for (int y = 0; y < n; y++)
            std::memcpy(cubeSnapshot[x][y], cubeLive[x][y], static_cast<size_t>(n) * sizeof(Cubie));
}

void snapshotCube()
{
    if (cubeSize == 3)
        snapshotRows(3);
    else if (cubeSize == 4)
        snapshotRows(4);
    else
        snapshotRows(cubeSize);
}
