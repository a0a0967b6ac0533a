#include "play/play.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/winapi_names.h"
// Up a layer: the frame driver draws the cube and the texts, as the cube
// pass in turn moves the turn clock.
#include "render/render.h"

#include <GL/gl.h>

int frameClock = 0;
int gameStartClock = 0;
float viewAngleY = 0.0f;
float viewAngleX = 0.0f;

void startGame(int n)
{
    setCubeSize(n);
    viewAngleX = 0.0f;
    viewAngleY = 0.0f;
    seedRandomFromTime();
    selectionActive = false;
    resetCubeSolved();
    scrambleCube(150);
    gameStartClock = platformRunClock();
    gameState = STATE_PLAYING;
}

void handleMenuKeys()
{
    if (keys['1'])
        startGame(3);
    else if (keys['2'])
        startGame(4);
}

void handleMenuReturn()
{
    if (keys[VK_DELETE])
        gameState = STATE_MENU;
}

// Kept in [0, 360): a float that only grows stops moving once 0.05 falls
// below its precision.
static float spinStep(float angle)
{
    angle += 0.05f;
    if (angle >= 360.0f)
        angle -= 360.0f;
    return angle;
}

void spinView()
{
    viewAngleY = spinStep(viewAngleY);
    viewAngleX = spinStep(viewAngleX);
}

bool drawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frameClock = platformRunClock();
    drawCredit();
    handleMenuReturn();

    switch (gameState) {
    case STATE_MENU:
        turnDuration = 1000;
        menuDemoTurn();
        spinView();
        drawCube();
        handleMenuKeys();
        drawMenuOptions();
        drawTitle();
        break;
    case STATE_PLAYING:
        turnDuration = 300;
        drawTimer(true);
        handleGameKeys();
        drawCube();
        break;
    case STATE_WON:
        spinView();
        drawCube();
        drawWinner();
        break;
    default:
        break;
    }

    drawFps();
    glFlush();
    return true;
}
