#include "cube_support.h"

#include <gtest/gtest.h>

#include <set>

namespace {
CubeGrid first;
}

TEST(Random, RangesAndOneDrawPerCall)
{
    seedRandom(99);
    std::set<int> seenSign, seenLayer;
    for (int i = 0; i < 20000; i++) {
        ASSERT_EQ(randomInt(0, 0), 0);
        const int s = randomInt(-1, 1);
        ASSERT_TRUE(s >= -1 && s <= 1);
        seenSign.insert(s);
        const int l = randomInt(0, 3);
        ASSERT_TRUE(l >= 0 && l <= 3);
        seenLayer.insert(l);
    }
    EXPECT_EQ(seenSign.size(), 3u);
    EXPECT_EQ(seenLayer.size(), 4u);

    // Each call is one step of the generator, whatever the range: the n-th
    // value of randomInt(0, 32767) is the raw n-th draw.
    seedRandom(7);
    int raw[5];
    for (int& r : raw)
        r = randomInt(0, 32767);
    seedRandom(7);
    randomInt(0, 1);
    randomInt(-1, 1);
    EXPECT_EQ(randomInt(0, 32767), raw[2]);
    // Scaling: r * (hi - lo + 1) / 32768 on that same draw.
    seedRandom(7);
    EXPECT_EQ(randomInt(-1, 1), -1 + raw[0] * 3 / 32768);
}

TEST(Random, UnseededGeneratorEqualsSeedOne)
{
    // This test's process has drawn nothing before it only when run alone, so
    // compare the documented start state through an explicit reseed.
    seedRandom(1);
    const int a = randomInt(0, 32767);
    const int b = randomInt(0, 32767);
    // The generator's first two values from state 1.
    uint32_t state = 1;
    state = state * 214013u + 2531011u;
    EXPECT_EQ(a, static_cast<int>((state >> 16) & 0x7FFF));
    state = state * 214013u + 2531011u;
    EXPECT_EQ(b, static_cast<int>((state >> 16) & 0x7FFF));
}

TEST(Scramble, LeavesSelectorsClearAndZeroMovesDrawNothing)
{
    freshCube(3);
    resetCubeSolved();
    turnAnimating = true;
    turnAxisX = 1;
    turnLayer = 2;
    seedRandom(5);
    scrambleCube(0);
    EXPECT_TRUE(turnAnimating) << "no move: the flag stays as it was";
    EXPECT_EQ(turnAxisX, 0);
    EXPECT_EQ(turnAxisY, 0);
    EXPECT_EQ(turnLayer, 0);
    const int next = randomInt(0, 32767);
    seedRandom(5);
    EXPECT_EQ(randomInt(0, 32767), next) << "scrambleCube(0) drew a number";

    turnAxisZ = 0;
    scrambleCube(10);
    EXPECT_FALSE(turnAnimating);
    EXPECT_EQ(turnAxisX, 0);
    EXPECT_EQ(turnAxisY, 0);
    EXPECT_EQ(turnLayer, 0);
}

TEST(Scramble, SameSeedGivesSameCubeAndMakesThreeDrawsPerMove)
{
    for (int n = 3; n <= 4; n++) {
        freshCube(n);
        resetCubeSolved();
        seedRandom(1);
        scrambleCube(150);
        saveCube(first);
        const int after = randomInt(0, 32767);

        freshCube(n);
        resetCubeSolved();
        seedRandom(1);
        for (int i = 0; i < 450; i++)
            randomInt(0, 1);
        EXPECT_EQ(randomInt(0, 32767), after) << "150 moves are 450 draws";

        freshCube(n);
        resetCubeSolved();
        seedRandom(1);
        scrambleCube(150);
        EXPECT_TRUE(sameCube(cubeLive, first));

        freshCube(n);
        resetCubeSolved();
        seedRandom(2);
        scrambleCube(150);
        EXPECT_FALSE(sameCube(cubeLive, first)) << "another seed, another cube";
    }
}

TEST(Scramble, ReplaysAsTheTurnsItDrew)
{
    // The moves are drawn in the order axis, direction, layer; replaying those
    // draws as turns rebuilds the scrambled cube. Start-up relies on this
    // (the first scramble runs before any seeding).
    freshCube(4);
    resetCubeSolved();
    seedRandom(1);
    scrambleCube(40);
    saveCube(first);

    freshCube(4);
    resetCubeSolved();
    seedRandom(1);
    for (int move = 0; move < 40; move++) {
        int ax = 0, ay = 0;
        if (randomInt(0, 1) == 1)
            ax = randomInt(-1, 1);
        else
            ay = randomInt(-1, 1);
        const int layer = randomInt(0, cubeLast);
        EXPECT_NE(layer, cubeSize) << "the last layer is never turned alone";
        commitTurn(ax, ay, layer);
    }
    EXPECT_TRUE(sameCube(cubeLive, first));
}
