#include "cube/cube.h"
#include "cube/turn_commit.h"

bool turnAnimating = false;
int turnAxisX = 0;
int turnAxisY = 0;
int turnAxisZ = 0;
int turnLayer = 0;

void computeCubieColors(int x, int y, int z)
{
    if (turnAnimating) {
        copyCubie(cubieColors, cubeLive[x][y][z]);
    } else if (turnAxisX != 0 && (turnLayer == 0 || turnLayer == x + 1)) {
        turnedColorsX(cubieColors, x, y, z, turnAxisX, cubeLast);
        copyCubie(cubeLive[x][y][z], cubieColors);
    } else if (turnAxisY != 0 && (turnLayer == 0 || turnLayer == y + 1)) {
        turnedColorsY(cubieColors, x, y, z, turnAxisY, cubeLast);
        copyCubie(cubeLive[x][y][z], cubieColors);
    } else {
        copyCubie(cubieColors, cubeLive[x][y][z]);
    }
}
