#include "cube/cube.h"
#include "cube/turn_commit.h"

bool turnAnimating = false;
int turnAxisX = 0;
int turnAxisY = 0;
int turnAxisZ = 0;
int turnLayer = 0;

void computeCubieColors(int x, int y, int z)
{
    const LayerRange turning = turningLayers(turnLayer, cubeSize);
    if (turnAnimating) {
        copyCubie(cubieColors, cubeLive[x][y][z]);
    } else if (turnAxisX != 0 && x >= turning.first && x < turning.end) {
        turnedColorsX(cubieColors, x, y, z, turnAxisX, cubeLast);
        copyCubie(cubeLive[x][y][z], cubieColors);
    } else if (turnAxisY != 0 && y >= turning.first && y < turning.end) {
        turnedColorsY(cubieColors, x, y, z, turnAxisY, cubeLast);
        copyCubie(cubeLive[x][y][z], cubieColors);
    } else {
        copyCubie(cubieColors, cubeLive[x][y][z]);
    }
}
