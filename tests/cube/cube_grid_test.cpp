#include "cube_support.h"

#include <gtest/gtest.h>

namespace {
CubeGrid once;
}

TEST(CubeGrid, ResetWritesTheSolvedPatternIntoBothGrids)
{
    freshCube(3);
    resetCubeSolved();
    const struct { int x, y, z; Cubie colours; } cases[] = {
        {0, 0, 0, {5, 0, 2, 0, 4, 0}},
        {2, 2, 2, {0, 6, 0, 1, 0, 3}},
        {1, 0, 1, {0, 0, 2, 0, 0, 0}},
        {1, 1, 1, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        for (int f = 0; f < 6; f++)
            EXPECT_EQ(cubeLive[c.x][c.y][c.z][f], c.colours[f]) << c.x << c.y << c.z << " entry " << f;
    EXPECT_TRUE(sameCube(cubeLive, cubeSnapshot));

    saveCube(once);
    resetCubeSolved();
    EXPECT_TRUE(sameCube(cubeLive, once)) << "a reset twice equals once";
}

TEST(CubeGrid, ResetBlackensInnerSidesLeftByAnotherSize)
{
    // A 3-cube game, then a 4-cube one: the 3-cube's right, top and front
    // stickers now lie inside and must not show during a turn.
    freshCube(3);
    resetCubeSolved();
    commitTurn(1, 0, 2);
    cubeSize = 4;
    cubeLast = 3;
    resetCubeSolved();
    for (int x = 0; x < 4; x++)
        for (int y = 0; y < 4; y++)
            for (int z = 0; z < 4; z++) {
                const bool outer[6] = {x == 0, x == 3, y == 0, y == 3, z == 0, z == 3};
                for (int f = 0; f < 6; f++) {
                    if (!outer[f]) {
                        ASSERT_EQ(cubeLive[x][y][z][f], 0) << x << y << z << " entry " << f;
                    }
                }
            }

    // Back to a 3-cube: the cells with an index of 3 keep the 4-cube's codes.
    cubeLive[3][0][0][1] = 6;
    cubeSize = 3;
    cubeLast = 2;
    resetCubeSolved();
    EXPECT_EQ(cubeLive[3][0][0][1], 6);
}

TEST(CubeGrid, SnapshotCopiesOnlyTheCubeInUse)
{
    freshCube(3);
    labelEveryEntry();
    cubeSnapshot[3][1][1][2] = 77;
    cubeSnapshot[0][0][9][0] = 78;
    cubeLive[3][1][1][2] = 1;
    snapshotCube();
    EXPECT_TRUE(sameCube(cubeLive, cubeSnapshot));
    EXPECT_EQ(cubeSnapshot[3][1][1][2], 77);
    EXPECT_EQ(cubeSnapshot[0][0][9][0], 78);
}
