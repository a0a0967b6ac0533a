#include "cube/cube.h"

int cubeSize = 3;
int cubeLast = cubeSize - 1;
CubeGrid cubeLive = {};
CubeGrid cubeSnapshot = {};
Cubie cubieColors = {};

void copyCubie(Cubie& destination, const Cubie& source)
{
    for (int f = 0; f < 6; f++)
        destination[f] = source[f];
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
                    writeBoth(x, y, z, f, 0);
                if (x == 0) writeBoth(x, y, z, 0, 5);
                if (x == n - 1) writeBoth(x, y, z, 1, 6);
                if (y == 0) writeBoth(x, y, z, 2, 2);
                if (y == n - 1) writeBoth(x, y, z, 3, 1);
                if (z == 0) writeBoth(x, y, z, 4, 4);
                if (z == n - 1) writeBoth(x, y, z, 5, 3);
            }
}

void snapshotCube()
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                copyCubie(cubeSnapshot[x][y][z], cubeLive[x][y][z]);
}
