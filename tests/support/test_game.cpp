#include "support/test_game.h"
#include "support/test_gl.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "play/play.h"

#include <cstring>

void useGameGraphics()
{
    static bool initialised = false;
    useTestGLContext();
    if (!initialised) {
        resizeViewport(800, 600);
        initGraphics();
        initialised = true;
    }
}

void resetGame(int n, int ms)
{
    cubeSize = n;
    cubeLast = n - 1;
    resetCubeSolved();
    turnAnimating = false;
    turnFinished = false;
    turnAxisX = turnAxisY = turnAxisZ = turnLayer = 0;
    turnElapsed = 0.0;
    selectionActive = false;
    selectedColumn = selectedRow = 0;
    gameState = STATE_MENU;
    viewAngleX = viewAngleY = 0.0f;
    std::memset(keys, 0, sizeof keys);
    setRunClockForTest(ms);
    frameClock = ms;
}
