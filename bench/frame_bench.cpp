// Frame costs on an 800 x 600 software GL context (OSMesa): a frame that only
// clears, the cube pass alone, and whole title and play frames.
#include "cube/cube.h"
#include "cube/game_state.h"
#include "headless/headless.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

static std::vector<unsigned char> frameBuffer(800 * 600 * 4);

static void useBenchContext()
{
    static OSMesaContext context = nullptr;
    if (context)
        return;
    context = makeSoftwareContext(frameBuffer.data(), 800, 600);
    if (!context)
        std::abort();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    resizeViewport(800, 600);
    initGraphics();
}

static void setUpCube(int n, int state)
{
    useBenchContext();
    setCubeSize(n);
    resetCubeSolved();
    seedRandom(1);
    scrambleCube(150);
    gameState = state;
    gameStartClock = 0;
}

// Finishing the frame makes the software renderer do its work inside the timing.
static void finishFrame()
{
    glFinish();
}

static void BM_ClearOnly(benchmark::State& state)
{
    useBenchContext();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFlush();
        finishFrame();
    }
}
BENCHMARK(BM_ClearOnly)->Unit(benchmark::kMicrosecond);

static void BM_CubePass(benchmark::State& state)
{
    setUpCube(static_cast<int>(state.range(0)), STATE_MENU);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawCube();
        finishFrame();
    }
}
BENCHMARK(BM_CubePass)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

// Whole frames in one game state, the clock 16 ms further each frame.
static void runFrames(benchmark::State& state, int gameStateToRun)
{
    setUpCube(static_cast<int>(state.range(0)), gameStateToRun);
    int clock = 0;
    for (auto _ : state) {
        setRunClock(clock += 16);
        drawFrame();
        finishFrame();
    }
}

static void BM_TitleFrame(benchmark::State& state)
{
    runFrames(state, STATE_MENU);
}
BENCHMARK(BM_TitleFrame)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

static void BM_PlayFrame(benchmark::State& state)
{
    runFrames(state, STATE_PLAYING);
}
BENCHMARK(BM_PlayFrame)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

static void BM_BuildFonts(benchmark::State& state)
{
    useBenchContext();
    for (auto _ : state) {
        buildFonts();
        finishFrame();
    }
}
BENCHMARK(BM_BuildFonts)->Unit(benchmark::kMillisecond)->Iterations(5);
