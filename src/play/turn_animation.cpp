#include "play/play.h"

#include "cube/cube.h"
#include "platform/platform.h"

#include <GL/gl.h>

#include <cstdint>

bool turnFinished = false;
int turnStartClock = 0;
double turnElapsed = 0.0;
int turnDuration = 4000;
bool turnLockWhileAnimating = true;

bool selectionActive = true;
int selectedColumn = 0;
int selectedRow = 0;

void requestTurn(int dirX, int dirY)
{
    if (turnAnimating && turnLockWhileAnimating)
        return;
    if (selectionActive) {
        if (dirX != 0)
            turnLayer = selectedColumn + 1;
        else if (dirY != 0)
            turnLayer = selectedRow + 1;
        else
            turnLayer = 0;
    } else {
        turnLayer = 0;
    }
    snapshotCube();
    selectionActive = false;
    if (dirX != 0)
        turnAxisX = dirX;
    else if (dirY != 0)
        turnAxisY = dirY;
    if (turnAxisX == 0 && turnAxisY == 0)
        return;
    turnAnimating = true;
    turnStartClock = platformRunClock();
}

void advanceTurnClock()
{
    if (turnAnimating) {
        // A turn that straddles the clock's wrap still measures its true length.
        turnElapsed = static_cast<double>(clockDifference(platformRunClock(), turnStartClock));
    }
    if (!(static_cast<double>(turnDuration) > turnElapsed)) {
        turnAnimating = false;
        turnFinished = true;
    }
}

void applyTurnRotation(int x, int y, int z)
{
    if (!turnAnimating)
        return;
    if (turnLayer != 0) {
        const bool turning = (turnAxisX != 0 && turnLayer == x + 1) || (turnAxisY != 0 && turnLayer == y + 1)
            || (turnAxisZ != 0 && turnLayer == z + 1);
        if (!turning)
            return;
    }
    const double angle = 90.0 * turnElapsed / turnDuration;
    glRotated(angle, static_cast<double>(turnAxisX), static_cast<double>(turnAxisY),
              static_cast<double>(turnAxisZ));
}

void clearFinishedTurn()
{
    if (!turnFinished)
        return;
    turnAxisZ = 0;
    turnAxisY = 0;
    turnAxisX = 0;
    turnFinished = false;
}

void menuDemoTurn()
{
    // The phase of the unsigned clock: a negative reading (past 2^31 ms)
    // would otherwise open the window for every frame.
    if (static_cast<uint32_t>(frameClock) % static_cast<uint32_t>(2 * turnDuration)
        >= static_cast<uint32_t>(turnDuration / 2))
        return;
    if (turnAnimating)
        return;
    selectionActive = true;
    selectedColumn = randomInt(0, cubeLast);
    selectedRow = randomInt(0, cubeLast);
    if (randomInt(0, 1) == 0)
        requestTurn(randomInt(-1, 1), 0);
    else
        requestTurn(0, randomInt(-1, 1));
}
