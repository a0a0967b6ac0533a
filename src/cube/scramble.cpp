#include "cube/cube.h"

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
        for (int x = 0; x < cubeSize; x++)
            for (int y = 0; y < cubeSize; y++)
                for (int z = 0; z < cubeSize; z++)
                    computeCubieColors(x, y, z);
    }
    turnAxisX = 0;
    turnAxisY = 0;
    turnLayer = 0;
}
