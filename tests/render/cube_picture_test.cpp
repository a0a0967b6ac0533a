#include "sticker_projection.h"
#include "support/test_game.h"
#include "support/test_gl.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/run_clock.h"
#include "play/play.h"
#include "render/render.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The sticker palette as the player sees it, 0..255 per channel.
Rgb paletteColour(int code)
{
    switch (code) {
    case 1: return {36, 6, 153};
    case 2: return {255, 255, 255};
    case 3: return {225, 0, 0};
    case 4: return {255, 120, 0};
    case 5: return {233, 243, 10};
    case 6: return {28, 185, 0};
    default: return {0, 0, 0};
    }
}

bool near(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

// Checks every clearly visible sticker against the colour the model holds;
// returns how many were checked.
int checkStickers(const CubeGrid& colours, double angle = 0.0, int ax = 0, int ay = 0)
{
    int checked = 0;
    forEachVisibleSticker(angle, ax, ay, [&](int x, int y, int z, int f, int wx, int wy) {
        const Rgb want = paletteColour(colours[x][y][z][f]);
        const Rgb got = readPixel(wx, wy);
        EXPECT_TRUE(near(got, want)) << "N=" << cubeSize << " cubie " << x << y << z << " face " << f << " at "
                                     << wx << "," << wy << ": got " << got.r << "," << got.g << "," << got.b
                                     << " want " << want.r << "," << want.g << "," << want.b;
        checked++;
    });
    return checked;
}

void drawOnce()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawCube();
}

CubeGrid before;
CubeGrid after;

void copyGrid(CubeGrid& to, const CubeGrid& from)
{
    for (int x = 0; x < cubeSize; x++)
        for (int y = 0; y < cubeSize; y++)
            for (int z = 0; z < cubeSize; z++)
                copyCubie(to[x][y][z], from[x][y][z]);
}

void keepCube()
{
    copyGrid(before, cubeLive);
}

} // namespace

TEST(CubePicture, VisibleStickersShowTheModelsColours)
{
    useGameGraphics();
    const float views[][2] = {{0, 0}, {30, 50}, {180, 0}, {0, 180}, {250, 100}};
    for (int n = 3; n <= 4; n++)
        for (int scrambled = 0; scrambled < 2; scrambled++)
            for (const auto& view : views) {
                resetGame(n);
                if (scrambled) {
                    seedRandom(42);
                    scrambleCube(12);
                }
                viewAngleY = view[0];
                viewAngleX = view[1];
                drawOnce();
                // Three faces of N x N stickers face a tilted camera.
                const int checked = checkStickers(cubeLive);
                EXPECT_GE(checked, 2 * n * n) << "N=" << n << " view " << view[0] << "," << view[1];
                if (HasFailure()) {
                    saveFramePpm(("cube_picture_failure_" + std::to_string(n) + ".ppm").c_str());
                    return;
                }
            }
}

TEST(CubePicture, TurningCubeRotatesAboutItsCentreInOldColoursThenLandsTurned)
{
    useGameGraphics();
    for (int n = 3; n <= 4; n++) {
        resetGame(n, 1000);
        seedRandom(7);
        scrambleCube(20);
        keepCube();
        turnDuration = 1000;
        requestTurn(-1, 0);  // Up, nothing selected: the whole cube about -X
        setRunClockForTest(1500);
        drawOnce();
        // Half-way: 45 degrees about (-1, 0, 0), colours not yet committed.
        EXPECT_GE(checkStickers(before, 45.0, -1, 0), 2 * n * n);

        setRunClockForTest(2000);
        drawOnce();
        // Commit pass: drawn at rest, in the colours an instant turn gives.
        EXPECT_FALSE(turnAnimating);
        EXPECT_EQ(turnAxisX, 0);
        EXPECT_GE(checkStickers(cubeLive), 2 * n * n);
        // The same turn made at once from the old cube gives the same cube.
        CubeGrid& committed = after;
        copyGrid(committed, cubeLive);
        copyGrid(cubeLive, before);
        turnAxisX = -1;
        turnLayer = 0;
        snapshotCube();
        for (int x = 0; x < n; x++)
            for (int y = 0; y < n; y++)
                for (int z = 0; z < n; z++)
                    computeCubieColors(x, y, z);
        turnAxisX = 0;
        for (int x = 0; x < n; x++)
            for (int y = 0; y < n; y++)
                for (int z = 0; z < n; z++)
                    for (int f = 0; f < 6; f++)
                        ASSERT_EQ(committed[x][y][z][f], cubeLive[x][y][z][f]);
    }
}
