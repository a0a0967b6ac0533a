// The cube model against an independent geometric model: every cubie side is
// a sticker with a position and an outward normal (doubled coordinates
// centred on the cube), turned by a right-hand quarter rotation.
#include "cube/cube.h"
#include "cube/game_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <vector>

namespace {

struct Sticker { int p[3], n[3], code; };
CubeGrid expected, before;

void useSize(int n)
{
    cubeSize = n;
    cubeLast = n - 1;
    std::memset(cubeLive, 0, sizeof cubeLive);
    turnAnimating = false;
    turnAxisX = turnAxisY = turnAxisZ = turnLayer = 0;
}

// Every entry of the cube its own code, inner sides included.
void labelEveryEntry()
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                for (int f = 0; f < 6; f++)
                    cubeLive[x][y][z][f] = ((x * 10 + y) * 10 + z) * 6 + f + 1;
}

std::vector<Sticker> stickersOf(const CubeGrid& g)
{
    std::vector<Sticker> out;
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                for (int f = 0; f < 6; f++) {
                    Sticker s = {{2 * x - cubeLast, 2 * y - cubeLast, 2 * z - cubeLast}, {0, 0, 0}, g[x][y][z][f]};
                    s.n[f / 2] = f % 2 ? 1 : -1;
                    s.p[f / 2] += s.n[f / 2];
                    out.push_back(s);
                }
    return out;
}

void rotate(int v[3], int axis, int sign)
{
    const int a = (axis + 1) % 3, b = (axis + 2) % 3, va = v[a];
    v[a] = -sign * v[b];
    v[b] = sign * va;
}

void turnModel(std::vector<Sticker>& model, int axisX, int axisY, int layer)
{
    const int axis = axisX ? 0 : 1, sign = axisX ? axisX : axisY;
    if (sign == 0)
        return;
    for (Sticker& s : model)
        if (layer == 0 || (s.p[axis] - s.n[axis] + cubeLast) / 2 == layer - 1)
            rotate(s.p, axis, sign), rotate(s.n, axis, sign);
}

void modelToGrid(const std::vector<Sticker>& model, CubeGrid& g)
{
    for (const Sticker& s : model) {
        int f = 0, c[3];
        for (int a = 0; a < 3; a++) {
            if (s.n[a])
                f = a * 2 + (s.n[a] > 0);
            c[a] = (s.p[a] - s.n[a] + cubeLast) / 2;
        }
        g[c[0]][c[1]][c[2]][f] = s.code;
    }
}

// One computeCubieColors per cubie, in the drawing order: the turn set, a
// fresh snapshot, no animation.
void commitTurn(int axisX, int axisY, int layer)
{
    turnAxisX = axisX, turnAxisY = axisY, turnLayer = layer;
    snapshotCube();
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                computeCubieColors(x, y, z);
    turnAxisX = turnAxisY = 0;
}

bool liveIs(const CubeGrid& g)
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            if (std::memcmp(cubeLive[x][y], g[x][y], sizeof(Cubie) * cubeSize) != 0)
                return false;
    return true;
}

// One pass of the solved test in the drawing order.
bool passWins()
{
    gameState = STATE_PLAYING;
    resetFaceCheck();
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                computeCubieColors(x, y, z), checkCubieFaces(x, y, z);
    checkSolved();
    return gameState == STATE_WON;
}

} // namespace

TEST(CubeModel, TurnsAndScramblesMatchTheGeometricModelForSizesTwoToSix)
{
    std::mt19937 rng(1234);
    for (int n = 2; n <= 6; n++) {
        useSize(n);
        labelEveryEntry();
        std::vector<Sticker> model = stickersOf(cubeLive);
        for (int move = 0; move < 200; move++) {
            const int sign = rng() % 2 ? 1 : -1, layer = static_cast<int>(rng() % (n + 3));
            const int ax = rng() % 2 ? sign : 0, ay = ax ? 0 : sign;
            turnModel(model, ax, ay, layer);
            commitTurn(ax, ay, layer);
            modelToGrid(model, expected);
            ASSERT_TRUE(liveIs(expected)) << "N=" << n << " move " << move << " (" << ax << "," << ay << ") layer " << layer;
        }
        // The scramble's moves, replayed from its draws (axis, direction, layer).
        seedRandom(n);
        for (int move = 0; move < 150; move++) {
            const bool aboutX = randomInt(0, 1) == 1;
            const int sign = randomInt(-1, 1), layer = randomInt(0, cubeLast);
            ASSERT_LT(layer, n) << "the last layer is never turned alone";
            turnModel(model, aboutX ? sign : 0, aboutX ? 0 : sign, layer);
        }
        modelToGrid(model, expected);
        turnAnimating = true;
        seedRandom(n);
        scrambleCube(150);
        EXPECT_TRUE(liveIs(expected)) << "scramble, N=" << n;
        EXPECT_FALSE(turnAnimating || turnAxisX || turnAxisY || turnLayer);
        for (int f = 0; f < 6; f++)
            EXPECT_EQ(cubieColors[f], cubeLive[n - 1][n - 1][n - 1][f]) << "the last cubie's colours";
    }
}

TEST(CubeModel, CommitsOnlyOutsideAnimationAndOnlyOncePerSnapshot)
{
    useSize(3);
    labelEveryEntry();
    std::memcpy(before, cubeLive, sizeof before);
    turnAnimating = true, turnAxisX = 1, turnAxisY = 1;
    for (int x = 0; x < 3; x++)
        for (int y = 0; y < 3; y++)
            for (int z = 0; z < 3; z++) {
                computeCubieColors(x, y, z);
                ASSERT_EQ(std::memcmp(cubieColors, before[x][y][z], sizeof(Cubie)), 0);
            }
    EXPECT_TRUE(liveIs(before)) << "nothing is written while a turn animates";
    turnAnimating = false, turnAxisX = 0, turnAxisY = -1, turnLayer = 2;
    snapshotCube();
    for (int pass = 0; pass < 2; pass++)
        for (int x = 0; x < 3; x++)
            for (int y = 0; y < 3; y++)
                for (int z = 0; z < 3; z++)
                    computeCubieColors(x, y, z);
    std::memcpy(expected, cubeLive, sizeof expected);
    std::memcpy(cubeLive, before, sizeof before);
    commitTurn(0, -1, 2);
    EXPECT_TRUE(liveIs(expected)) << "a second pass without a new snapshot commits nothing more";
}

TEST(CubeModel, SolvedPatternIsWonInAnyOrientationAndOneStickerOffIsNot)
{
    for (int n = 2; n <= 4; n++) {
        useSize(n);
        labelEveryEntry();
        resetCubeSolved();
        EXPECT_EQ(cubeLive[0][0][0][0], 5);
        EXPECT_EQ(cubeLive[n - 1][n - 1][n - 1][1] * 10 + cubeLive[0][n - 1][0][3], 61);
        EXPECT_EQ(cubeLive[0][0][n - 1][2] * 100 + cubeLive[0][0][0][4] * 10 + cubeLive[0][0][n - 1][5], 243);
        EXPECT_EQ(cubeLive[n - 1][0][0][0], 0) << "inner sides are black whatever was there";
        std::mt19937 rng(n);
        std::set<int> orientations;
        for (int step = 0; step < 400; step++) {
            const int sign = rng() % 2 ? 1 : -1;
            rng() % 2 ? commitTurn(sign, 0, 0) : commitTurn(0, sign, 0);
            ASSERT_TRUE(passWins());
            orientations.insert(cubeLive[0][0][n - 1][5] * 10 + cubeLive[0][n - 1][0][3]);
        }
        EXPECT_EQ(orientations.size(), 24u);
        for (int x = 0; x < n; x++)
            for (int y = 0; y < n; y++)
                for (int z = 0; z < n; z++)
                    for (int f = 0; f < 6; f++) {
                        StickerColor& s = cubeLive[x][y][z][f];
                        const StickerColor keep = s;
                        s = keep == 0 ? 4 : keep % 6 + 1;
                        ASSERT_EQ(passWins(), keep == 0) << x << y << z << " side " << f;
                        s = keep;
                    }
    }
    useSize(3);
    resetCubeSolved();
    cubeLive[2][2][2][5] = 1;  // the last front sticker visited
    EXPECT_FALSE(passWins());
    EXPECT_EQ(faceMatchCount[5] * 100 + faceMatchCount[0], 109) << "a tally is the length of the last run";
    gameState = STATE_MENU;
    checkSolved();
    EXPECT_EQ(gameState, STATE_MENU) << "cleared tallies never win";
}

TEST(Scramble, DrawsThreeNumbersPerMoveAndNoneForNoMove)
{
    std::set<int> seen;
    seedRandom(99);
    for (int i = 0; i < 3000; i++) {
        const int sign = randomInt(-1, 1), layer = randomInt(0, 3);
        ASSERT_TRUE(sign >= -1 && sign <= 1 && layer >= 0 && layer <= 3 && randomInt(0, 0) == 0);
        seen.insert(sign * 10 + layer);
    }
    EXPECT_EQ(seen.size(), 12u) << "every value of each range";
    useSize(4);
    resetCubeSolved();
    turnAnimating = true, turnAxisX = 1, turnLayer = 2;
    seedRandom(5);
    scrambleCube(0);
    EXPECT_TRUE(turnAnimating && !turnAxisX && !turnLayer) << "no move: only the selectors cleared";
    const int next = randomInt(0, 32767);
    seedRandom(5);
    EXPECT_EQ(randomInt(0, 32767), next) << "and no draw";
    seedRandom(5);
    scrambleCube(150);
    const int after = randomInt(0, 32767);
    seedRandom(5);
    for (int i = 0; i < 450; i++)
        randomInt(0, 1);
    EXPECT_EQ(randomInt(0, 32767), after) << "150 moves are 450 draws";
}
