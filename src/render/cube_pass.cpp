#include "render/render.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "play/play.h"

#include <GL/gl.h>

void applyViewRotation()
{
    glRotated(static_cast<double>(viewAngleY), 0.0, 1.0, 0.0);
    glRotated(static_cast<double>(viewAngleX), 1.0, 0.0, 0.0);
}

void drawCube()
{
    advanceTurnClock();
    resetFaceCheck();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, static_cast<float>(-cubeSize * 4.5));
    glRotatef(45.0f, 1.0f, 1.0f, 0.0f);
    const float offset = static_cast<float>(cubeSize / 2.0 - 0.5);

    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++) {
                glPushMatrix();
                applyViewRotation();
                // Before the translation, so a layer turns about the cube's centre.
                applyTurnRotation(x, y, z);
                glTranslatef((x - offset) * 2.0f, (y - offset) * 2.0f, (z - offset) * 2.0f);
                computeCubieColors(x, y, z);
                drawCubie(isSelectedCubie(x, y, z));
                glPopMatrix();
                if (gameState == STATE_PLAYING)
                    checkCubieFaces(x, y, z);
            }

    clearFinishedTurn();
    if (gameState == STATE_PLAYING)
        checkSolved();
}
