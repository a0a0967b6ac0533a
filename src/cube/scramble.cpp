#include "cube/cube.h"
#include "cube/turn_commit.h"

// computeCubieColors(x, y, z) for every cubie, as one move of the scramble
// needs it (no animation), written straight into cubeLive. Inlined with
// n = 3 and n = 4, the sizes the game plays, so the loops unroll.
static inline void commitEveryCubie(int n, int axisX, int axisY, int layer)
{
    const int last = cubeLast;
    for (int x = 0; x < n; x++)
        for (int y = 0; y < n; y++)
            for (int z = 0; z < n; z++)
                turnedColors(cubeLive[x][y][z], x, y, z, axisX, axisY, layer, last);
}

static void commitMove(int axisX, int axisY, int layer)
{
    const int n = cubeSize;
    if (n == 3)
        commitEveryCubie(3, axisX, axisY, layer);
    else if (n == 4)
        commitEveryCubie(4, axisX, axisY, layer);
    else
        commitEveryCubie(n, axisX, axisY, layer);
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
