#include "cube_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

// An independent model: every cubie side is a sticker with a position and an
// outward normal, in doubled coordinates centred on the cube (integers only).
struct Vec { int v[3]; };
struct Sticker { Vec position; Vec normal; StickerColor code; };

Vec rotateQuarter(Vec p, int axis, int sign)
{
    // Right-hand rule, +90 degrees when sign > 0.
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    Vec r = p;
    r.v[a] = -sign * p.v[b];
    r.v[b] = sign * p.v[a];
    return r;
}

std::vector<Sticker> stickersOf(const CubeGrid& grid)
{
    std::vector<Sticker> out;
    const int last = cubeLast;
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                for (int f = 0; f < 6; f++) {
                    Vec n = {{0, 0, 0}};
                    n.v[f / 2] = (f % 2) ? 1 : -1;
                    Vec c = {{2 * x - last, 2 * y - last, 2 * z - last}};
                    Sticker s = {{{c.v[0] + n.v[0], c.v[1] + n.v[1], c.v[2] + n.v[2]}}, n, grid[x][y][z][f]};
                    out.push_back(s);
                }
    return out;
}

// Turns the stickers of one layer (or all) and writes them back into a grid.
void turnModel(std::vector<Sticker>& stickers, int axis, int sign, int layer)
{
    for (Sticker& s : stickers) {
        const int centre = s.position.v[axis] - s.normal.v[axis];
        const int index = (centre + cubeLast) / 2;
        if (layer != 0 && index != layer - 1)
            continue;
        s.position = rotateQuarter(s.position, axis, sign);
        s.normal = rotateQuarter(s.normal, axis, sign);
    }
}

void modelToGrid(const std::vector<Sticker>& stickers, CubeGrid& grid)
{
    for (const Sticker& s : stickers) {
        int f = 0, cell[3];
        for (int a = 0; a < 3; a++) {
            if (s.normal.v[a] != 0)
                f = a * 2 + (s.normal.v[a] > 0 ? 1 : 0);
            cell[a] = (s.position.v[a] - s.normal.v[a] + cubeLast) / 2;
        }
        grid[cell[0]][cell[1]][cell[2]][f] = s.code;
    }
}

CubeGrid expected;
CubeGrid before;

} // namespace

TEST(LayerTurn, RandomSequencesMatchAGeometricModelOfQuarterTurns)
{
    std::mt19937 rng(1234);
    for (int n = 2; n <= 6; n++) {
        freshCube(n);
        labelEveryEntry();
        std::vector<Sticker> model = stickersOf(cubeLive);
        for (int move = 0; move < 200; move++) {
            const bool aboutX = rng() % 2;
            const int sign = (rng() % 2) ? 1 : -1;
            const int layer = static_cast<int>(rng() % (n + 1));
            turnModel(model, aboutX ? 0 : 1, sign, layer);
            commitTurn(aboutX ? sign : 0, aboutX ? 0 : sign, layer);
            modelToGrid(model, expected);
            ASSERT_TRUE(sameCube(cubeLive, expected))
                << "N=" << n << " move " << move << " axis " << (aboutX ? "X" : "Y")
                << " sign " << sign << " layer " << layer;
        }
    }
}

TEST(LayerTurn, TurnThenInverseAndFourEqualTurnsRestoreTheCube)
{
    for (int n = 2; n <= 5; n++)
        for (int layer = 0; layer <= n; layer++)
            for (int aboutX = 0; aboutX < 2; aboutX++)
                for (int sign = -1; sign <= 1; sign += 2) {
                    freshCube(n);
                    labelEveryEntry();
                    saveCube(before);
                    const int ax = aboutX ? sign : 0, ay = aboutX ? 0 : sign;
                    commitTurn(ax, ay, layer);
                    EXPECT_FALSE(sameCube(cubeLive, before));
                    commitTurn(-ax, -ay, layer);
                    EXPECT_TRUE(sameCube(cubeLive, before)) << "inverse, N=" << n << " layer " << layer;
                    for (int i = 0; i < 4; i++)
                        commitTurn(ax, ay, layer);
                    EXPECT_TRUE(sameCube(cubeLive, before)) << "four turns, N=" << n << " layer " << layer;
                }
}

TEST(LayerTurn, CommitIsIdempotentPerCubieAndSilentWhileAnimating)
{
    freshCube(4);
    labelEveryEntry();
    turnAxisY = -1;
    turnLayer = 2;
    snapshotCube();
    for (int x = 0; x < 4; x++)
        for (int y = 0; y < 4; y++)
            for (int z = 0; z < 4; z++)
                computeCubieColors(x, y, z);
    saveCube(expected);
    // Same turn, no new snapshot: every cubie gets the same colours again.
    for (int x = 0; x < 4; x++)
        for (int y = 0; y < 4; y++)
            for (int z = 0; z < 4; z++)
                computeCubieColors(x, y, z);
    EXPECT_TRUE(sameCube(cubeLive, expected));

    // While animating, nothing is written whatever the selectors say, and the
    // scratch record shows the live colours.
    freshCube(3);
    labelEveryEntry();
    saveCube(before);
    turnAnimating = true;
    turnAxisX = 1;
    turnAxisY = 1;
    turnLayer = 0;
    std::memset(cubeSnapshot, 0, sizeof cubeSnapshot);
    for (int x = 0; x < 3; x++)
        for (int y = 0; y < 3; y++)
            for (int z = 0; z < 3; z++) {
                computeCubieColors(x, y, z);
                for (int f = 0; f < 6; f++)
                    ASSERT_EQ(cubieColors[f], before[x][y][z][f]);
            }
    EXPECT_TRUE(sameCube(cubeLive, before));
}

TEST(LayerTurn, LayerBeyondTheCubeChangesNothing)
{
    freshCube(3);
    labelEveryEntry();
    saveCube(before);
    for (int layer = 4; layer <= 9; layer++) {
        commitTurn(1, 0, layer);
        commitTurn(0, -1, layer);
    }
    EXPECT_TRUE(sameCube(cubeLive, before));
}

TEST(LayerTurn, SolvedCubeWholeTurnsMoveFacesAsDesigned)
{
    struct Case { int ax, ay; int front, bottom, back, top, left, right; };
    // Face colours after one whole-cube turn of the solved 3-cube.
    const Case cases[] = {
        {1, 0, /*front*/ 1, /*bottom*/ 3, /*back*/ 2, /*top*/ 4, 5, 6},
        {0, 1, /*front*/ 5, 2, /*back*/ 6, 1, /*left*/ 4, /*right*/ 3},
    };
    for (const Case& c : cases) {
        freshCube(3);
        resetCubeSolved();
        commitTurn(c.ax, c.ay, 0);
        for (int a = 0; a < 3; a++)
            for (int b = 0; b < 3; b++) {
                EXPECT_EQ(cubeLive[a][b][2][5], c.front);
                EXPECT_EQ(cubeLive[a][0][b][2], c.bottom);
                EXPECT_EQ(cubeLive[a][b][0][4], c.back);
                EXPECT_EQ(cubeLive[a][2][b][3], c.top);
                EXPECT_EQ(cubeLive[0][a][b][0], c.left);
                EXPECT_EQ(cubeLive[2][a][b][1], c.right);
            }
    }
    // One corner in detail: the bottom-front-left corner after +X.
    freshCube(3);
    resetCubeSolved();
    commitTurn(1, 0, 0);
    const Cubie corner = {5, 0, 3, 0, 0, 1};
    for (int f = 0; f < 6; f++)
        EXPECT_EQ(cubeLive[0][0][2][f], corner[f]) << "entry " << f;
}
