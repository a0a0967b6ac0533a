#include "support/test_game.h"

#include <cstdio>
#include <cstdlib>

static OSMesaContext context = nullptr;
static unsigned char buffer[800 * 600 * 4];

void useTestGLContext()
{
    if (!context) {
        context = makeSoftwareContext(buffer, 800, 600);
        // Left alive, llvmpipe's worker threads can hang the exit at a barrier.
        std::atexit([] { OSMesaDestroyContext(context); });
    }
    if (!context || !OSMesaMakeCurrent(context, buffer, GL_UNSIGNED_BYTE, 800, 600))
        std::fprintf(stderr, "no OSMesa context\n"), std::abort();
    OSMesaPixelStore(OSMESA_Y_UP, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void useGameGraphics()
{
    useTestGLContext();
    [[maybe_unused]] static const bool initialised = (resizeViewport(800, 600), initGraphics());
}

void resetGame(int n, int ms)
{
    std::memset(cubeLive, 0, sizeof cubeLive), std::memset(keys, 0, sizeof keys);
    setCubeSize(n), resetCubeSolved();
    turnAnimating = turnFinished = selectionActive = false;
    turnAxisX = turnAxisY = turnAxisZ = turnLayer = selectedColumn = selectedRow = 0;
    turnElapsed = viewAngleX = viewAngleY = 0.0f;
    gameState = STATE_MENU, frameClock = ms;
    setRunClock(ms);
}

void readFrame(unsigned char* rgb)
{
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}
