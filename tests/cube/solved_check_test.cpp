#include "cube_support.h"
#include "cube/game_state.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

// One pass of the solved test over the cube, in the drawing order.
bool passSolves(int state = STATE_PLAYING)
{
    gameState = state;
    resetFaceCheck();
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++) {
                computeCubieColors(x, y, z);
                if (gameState == STATE_PLAYING)
                    checkCubieFaces(x, y, z);
            }
    if (gameState == STATE_PLAYING)
        checkSolved();
    return gameState == STATE_WON;
}

} // namespace

TEST(SolvedCheck, SolvedInEveryOrientationIsWon)
{
    for (int n = 2; n <= 4; n++) {
        freshCube(n);
        resetCubeSolved();
        // A walk of whole-cube turns until all 24 orientations have shown,
        // each told apart by its front and top colours.
        std::mt19937 rng(3);
        std::set<std::pair<int, int>> seen;
        for (int step = 0; step < 2000 && seen.size() < 24; step++) {
            const int sign = (rng() % 2) ? 1 : -1;
            if (rng() % 2)
                commitTurn(sign, 0, 0);
            else
                commitTurn(0, sign, 0);
            ASSERT_TRUE(passSolves()) << "N=" << n << " step " << step;
            seen.insert({cubeLive[0][0][n - 1][5], cubeLive[0][n - 1][0][3]});
        }
        EXPECT_EQ(seen.size(), 24u);
    }
}

TEST(SolvedCheck, OneStickerOffAnywhereIsNotWon)
{
    for (int n = 3; n <= 4; n++) {
        freshCube(n);
        resetCubeSolved();
        for (int x = 0; x < n; x++)
            for (int y = 0; y < n; y++)
                for (int z = 0; z < n; z++)
                    for (int f = 0; f < 6; f++) {
                        StickerColor& s = cubeLive[x][y][z][f];
                        if (s == 0)
                            continue;
                        const StickerColor keep = s;
                        s = keep % 6 + 1;
                        ASSERT_FALSE(passSolves()) << x << y << z << " entry " << f;
                        s = keep;
                    }
        EXPECT_TRUE(passSolves());
    }
}

TEST(SolvedCheck, TallyIsTheLastRunAndInnerSidesAreIgnored)
{
    freshCube(3);
    resetCubeSolved();
    // The last front sticker in visiting order is (2, 2, 2).
    cubeLive[2][2][2][5] = 1;
    EXPECT_FALSE(passSolves());
    EXPECT_EQ(faceMatchCount[5], 1);
    EXPECT_EQ(faceMatchCount[0], 9);

    resetCubeSolved();
    cubeLive[1][1][1][0] = 4;
    cubeLive[0][1][1][1] = 2;
    EXPECT_TRUE(passSolves()) << "inner sides are never examined";
}

TEST(SolvedCheck, NothingChangesOutsidePlay)
{
    freshCube(3);
    resetCubeSolved();
    EXPECT_FALSE(passSolves(STATE_MENU));
    EXPECT_EQ(gameState, STATE_MENU);
    for (int f = 0; f < 6; f++)
        EXPECT_EQ(faceMatchCount[f], 0);
    // checkSolved alone on cleared tallies never wins.
    gameState = STATE_PLAYING;
    resetFaceCheck();
    checkSolved();
    EXPECT_EQ(gameState, STATE_PLAYING);
}
