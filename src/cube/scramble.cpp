#include "cube/cube.h"
#include "cube/turn_commit.h"

// What computeCubieColors(x, y, z) for every cubie does for one move, with
// the move's case decided once instead of per cubie: only the turning cubies
// are visited (a cubie the move leaves alone would only be copied into
// cubieColors), each given its turned colours straight in cubeLive. Inlined
// with n = 3 and n = 4, the sizes the game plays, so the loops unroll.
static inline void commitTurningCubies(int n, int axisX, int axisY, int layer)
{
    const LayerRange turning = turningLayers(layer, n);
    const int last = cubeLast;
    if (axisX != 0) {
        for (int x = turning.first; x < turning.end; x++)
            for (int y = 0; y < n; y++)
                for (int z = 0; z < n; z++)
                    turnedColorsX(cubeLive[x][y][z], x, y, z, axisX, last);
    } else if (axisY != 0) {
        for (int x = 0; x < n; x++)
            for (int y = turning.first; y < turning.end; y++)
                for (int z = 0; z < n; z++)
                    turnedColorsY(cubeLive[x][y][z], x, y, z, axisY, last);
    }
}

static void commitMove(int axisX, int axisY, int layer)
{
    const int n = cubeSize;
    if (n == 3)
        commitTurningCubies(3, axisX, axisY, layer);
    else if (n == 4)
        commitTurningCubies(4, axisX, axisY, layer);
    else
        commitTurningCubies(n, axisX, axisY, layer);
    // Where the per-cubie calls would leave it: the last cubie's colours.
    copyCubie(cubieColors, cubeLive[cubeLast][cubeLast][cubeLast]);
}

void scrambleCube(int count)
{
    for (int move = 0; move < count; move++) {
        turnAnimating = false;
        if (randomInt(0, 1) == 1) {
            turnAxisX = randomInt(-1, 1);
            turnAxisY = 0;
        } else {
            turnAxisX = 0;
            turnAxisY = randomInt(-1, 1);
        }
        turnLayer = randomInt(0, cubeLast);
        snapshotCube();
        commitMove(turnAxisX, turnAxisY, turnLayer);
    }
    turnAxisX = 0;
    turnAxisY = 0;
    turnLayer = 0;
}
