#include "cube/cube.h"
#include "cube/game_state.h"

int faceColor[6] = {};
int faceMatchCount[6] = {};

void resetFaceCheck()
{
    for (int f = 0; f < 6; f++) {
        faceColor[f] = 0;
        faceMatchCount[f] = 0;
    }
}

void checkCubieFaces(int x, int y, int z)
{
    const int coordinate[3] = {x, y, z};
    for (int axis = 0; axis < 3; axis++) {
        const int c = coordinate[axis];
        if (c != 0 && c != cubeLast)
            continue;
        // A run of equal stickers: the tally is the length of the last run.
        const int f = axis * 2 + c / cubeLast;
        if (faceColor[f] == cubieColors[f]) {
            faceMatchCount[f]++;
        } else {
            faceColor[f] = cubieColors[f];
            faceMatchCount[f] = 1;
        }
    }
}

void checkSolved()
{
    int complete = 0;
    for (int f = 0; f < 6; f++)
        if (faceMatchCount[f] >= cubeSize * cubeSize)
            complete++;
    if (complete == 6)
        gameState = STATE_WON;
}
