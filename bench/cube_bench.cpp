// The cube model's costs: a game-start scramble and one model pass.
#include "cube/cube.h"
#include "cube/game_state.h"

#include <benchmark/benchmark.h>

static void setSize(int n)
{
    setCubeSize(n);
    resetCubeSolved();
    seedRandom(1);
}

static void BM_Scramble150(benchmark::State& state)
{
    setSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        scrambleCube(150);
        benchmark::DoNotOptimize(cubeLive);
    }
}
BENCHMARK(BM_Scramble150)->Arg(3)->Arg(4);

// What the drawing pass asks of the model per frame, without the drawing.
static void BM_ModelPass(benchmark::State& state)
{
    setSize(static_cast<int>(state.range(0)));
    scrambleCube(150);
    gameState = STATE_PLAYING;
    for (auto _ : state) {
        resetFaceCheck();
        for (int x = 0; x < cubeSize; x++)
            for (int y = 0; y < cubeSize; y++)
                for (int z = 0; z < cubeSize; z++) {
                    computeCubieColors(x, y, z);
                    checkCubieFaces(x, y, z);
                }
        checkSolved();
        benchmark::DoNotOptimize(faceMatchCount);
    }
}
BENCHMARK(BM_ModelPass)->Arg(4);
