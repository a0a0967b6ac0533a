#include "cube/cube.h"
#include "cube/turn_commit.h"

bool turnAnimating = false;
int turnAxisX = 0;
int turnAxisY = 0;
int turnAxisZ = 0;
int turnLayer = 0;

void computeCubieColors(int x, int y, int z)
{
    // Case 1 (animating) and case 4 (nothing moves this cubie) only copy.
    if (!turnAnimating && turnedColors(cubieColors, x, y, z, turnAxisX, turnAxisY, turnLayer, cubeLast))
        copyCubie(cubeLive[x][y][z], cubieColors);
    else
        copyCubie(cubieColors, cubeLive[x][y][z]);
}
