// Full title frames at N = 4 on an 800 x 600 software GL context, for
// callgrind: scripts/bench.sh collects only inside profiledFrames and
// bench/frame_share.py tells the game's own instructions from the GL
// library's and the driver's. Run with LP_NUM_THREADS=0, so the software
// rasteriser works inside the frame, on this thread.
//
// usage: frame_profile [FRAMES]
#include "cube/cube.h"
#include "cube/game_state.h"
#include "headless/headless.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

static int frameTime = 0;

static void titleFrames(int count)
{
    for (int i = 0; i < count; i++) {
        setRunClock(frameTime += 16);
        drawFrame();
        // What presenting the frame waits for.
        glFinish();
    }
}

// The name callgrind's --toggle-collect is given.
extern "C" __attribute__((noinline)) void profiledFrames(int count)
{
    titleFrames(count);
}

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 10;
    std::vector<unsigned char> pixels(800 * 600 * 4);
    OSMesaContext context = makeSoftwareContext(pixels.data(), 800, 600);
    if (!context) {
        std::fprintf(stderr, "no software GL context\n");
        return 1;
    }
    resizeViewport(800, 600);
    initGraphics();

    // The title screen showing the 4-cube, as after a 4 x 4 x 4 game.
    setCubeSize(4);
    resetCubeSolved();
    seedRandom(1);
    scrambleCube(150);
    gameState = STATE_MENU;

    // The driver compiles its shaders on first use: not a frame's cost.
    titleFrames(5);
    profiledFrames(frames);
    std::printf("%d title frames at N = 4\n", frames);
    OSMesaDestroyContext(context);
    return 0;
}
