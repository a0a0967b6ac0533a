#include "cube_support.h"

#include <cstring>

void freshCube(int n)
{
    cubeSize = n;
    cubeLast = n - 1;
    std::memset(cubeLive, 0, sizeof cubeLive);
    std::memset(cubeSnapshot, 0, sizeof cubeSnapshot);
    turnAnimating = false;
    turnAxisX = turnAxisY = turnAxisZ = turnLayer = 0;
}

void labelEveryEntry()
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                for (int f = 0; f < 6; f++)
                    cubeLive[x][y][z][f] = ((x * 10 + y) * 10 + z) * 6 + f + 1;
}

void commitTurn(int axisX, int axisY, int layer)
{
    turnAnimating = false;
    turnAxisX = axisX;
    turnAxisY = axisY;
    turnLayer = layer;
    snapshotCube();
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                computeCubieColors(x, y, z);
    turnAxisX = turnAxisY = 0;
}

bool sameCube(const CubeGrid& a, const CubeGrid& b)
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                for (int f = 0; f < 6; f++)
                    if (a[x][y][z][f] != b[x][y][z][f])
                        return false;
    return true;
}

void saveCube(CubeGrid& into)
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                copyCubie(into[x][y][z], cubeLive[x][y][z]);
}
