#include "cube/cube.h"
#include "cube/turn_commit.h"

// The cubies a move turns, in computeCubieColors' order (x outermost, z
// innermost), each given its turned colours straight in cubeLive. Inlined
// with n = 3 and n = 4, the sizes the game plays, so the loops unroll.
static inline void commitTurningCubies(int n, int axisX, int axisY, int layer)
{
    // turnLayer 0 turns every layer, k the layer at k - 1.
    const int first = layer == 0 ? 0 : layer - 1;
    const int end = layer == 0 ? n : layer;
    if (axisX != 0) {
        for (int x = first; x < end; x++)
            for (int y = 0; y < n; y++)
                for (int z = 0; z < n; z++)
                    turnedColorsX(cubeLive[x][y][z], x, y, z, axisX, n - 1);
    } else if (axisY != 0) {
        for (int x = 0; x < n; x++)
            for (int y = first; y < end; y++)
                for (int z = 0; z < n; z++)
                    turnedColorsY(cubeLive[x][y][z], x, y, z, axisY, n - 1);
    }
}

// What computeCubieColors(x, y, z) for every cubie does for one move, with
// the move's case decided once instead of per cubie. Each call writes
// cubieColors over the call before, and a cubie the move leaves alone gets
// only that copy; so only the turning cubies are visited, and cubieColors
// is set once, to the last cubie's colours, as the calls would leave it.
static void commitMove(int axisX, int axisY, int layer)
{
    const int n = cubeSize;
    if (n == 3)
        commitTurningCubies(3, axisX, axisY, layer);
    else if (n == 4)
        commitTurningCubies(4, axisX, axisY, layer);
    else
        commitTurningCubies(n, axisX, axisY, layer);
    copyCubie(cubieColors, cubeLive[n - 1][n - 1][n - 1]);
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
