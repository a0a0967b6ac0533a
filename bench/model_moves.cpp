// The moves of a game-start scramble and the stickers they leave, for the
// comparison with other cube libraries (bench/model_compare.mjs).
//
// usage: model_moves N SEED COUNT
//
// Replays the scramble's draws (axis, direction, layer per move) to record
// each move, applies them one by one with the model's own turn, and checks
// that the result equals scrambleCube(COUNT) from the same seed, so the list
// is the scramble's. Prints JSON: the moves as [turnAxisX, turnAxisY,
// turnLayer] and, after some of them, the six codes of every cubie
// (x outermost, z innermost).
#include "cube/cube.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

static const int MAX_MOVES = 1000;
static int recorded[MAX_MOVES][3] = {};
static CubeGrid replayed = {};

static void applyMove(int axisX, int axisY, int layer)
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
    turnAxisX = 0;
    turnAxisY = 0;
    turnLayer = 0;
}

static void printStickers(int after)
{
    std::printf("%s\n    {\"after\": %d, \"cubies\": [", after == 0 ? "" : ",", after);
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++) {
                const Cubie& c = cubeLive[x][y][z];
                std::printf("%s[%d,%d,%d,%d,%d,%d]", x + y + z == 0 ? "" : ",", c[0], c[1], c[2], c[3], c[4],
                            c[5]);
            }
    std::printf("]}");
}

static bool isCheckpoint(int moves, int count)
{
    static const int points[] = {0, 1, 2, 3, 4, 5, 6, 8, 10, 15, 20, 30, 50, 75, 100};
    for (int p : points)
        if (p == moves)
            return true;
    return moves == count;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s N SEED COUNT\n", argv[0]);
        return 2;
    }
    const int n = std::atoi(argv[1]);
    const unsigned seed = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10));
    const int count = std::atoi(argv[3]);
    if (n < 2 || n > CUBE_CAPACITY || count < 0 || count > MAX_MOVES) {
        std::fprintf(stderr, "N must be 2..%d and COUNT 0..%d\n", CUBE_CAPACITY, MAX_MOVES);
        return 2;
    }
    setCubeSize(n);

    // The scramble's draws, in its order.
    seedRandom(seed);
    for (int m = 0; m < count; m++) {
        int axisX = 0, axisY = 0;
        if (randomInt(0, 1) == 1)
            axisX = randomInt(-1, 1);
        else
            axisY = randomInt(-1, 1);
        recorded[m][0] = axisX;
        recorded[m][1] = axisY;
        recorded[m][2] = randomInt(0, cubeLast);
    }

    std::printf("{\"n\": %d, \"seed\": %u, \"moves\": [", n, seed);
    for (int m = 0; m < count; m++)
        std::printf("%s[%d,%d,%d]", m == 0 ? "" : ",", recorded[m][0], recorded[m][1], recorded[m][2]);
    std::printf("],\n  \"stickers\": [");
    resetCubeSolved();
    for (int m = 0; m <= count; m++) {
        if (m > 0)
            applyMove(recorded[m - 1][0], recorded[m - 1][1], recorded[m - 1][2]);
        if (isCheckpoint(m, count))
            printStickers(m);
    }
    std::printf("]}\n");
    std::memcpy(replayed, cubeLive, sizeof replayed);

    resetCubeSolved();
    seedRandom(seed);
    scrambleCube(count);
    if (std::memcmp(replayed, cubeLive, sizeof replayed) != 0) {
        std::fprintf(stderr, "model_moves: the replayed moves do not give scrambleCube's cube\n");
        return 1;
    }
    return 0;
}
