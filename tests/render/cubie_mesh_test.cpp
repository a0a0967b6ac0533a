#include "sticker_projection.h"
#include "support/test_game.h"
#include "support/test_gl.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/run_clock.h"
#include "play/play.h"
#include "render/render.h"

#include <gtest/gtest.h>

namespace {

// Window position of a point given in cubie (x, y, z)'s own space.
void projectCubiePoint(int x, int y, int z, double px, double py, double pz, int& wx, int& wy)
{
    double m[16], projection[16];
    GLint viewport[4];
    cubieModelView(x, y, z, 0.0, 0, 0, m);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double X, Y, Z;
    gluProject(px, py, pz, m, projection, viewport, &X, &Y, &Z);
    wx = static_cast<int>(X);
    wy = static_cast<int>(Y);
}

// True when a pixel of exactly this colour lies within 2 pixels of (x, y).
bool colourNear(int x, int y, Rgb want)
{
    for (int dy = -2; dy <= 2; dy++)
        for (int dx = -2; dx <= 2; dx++) {
            const Rgb got = readPixel(x + dx, y + dy);
            if (got.r == want.r && got.g == want.g && got.b == want.b)
                return true;
        }
    return false;
}

void drawAt(int clock)
{
    setRunClockForTest(clock);
    frameClock = clock;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawCube();
}

} // namespace

TEST(CubieMesh, MarkerShowsOnlyInPlayOnTheSelectedFrontCubieInTheClocksColour)
{
    useGameGraphics();
    for (int n = 3; n <= 4; n++) {
        resetGame(n);
        seedRandom(3);
        scrambleCube(30);
        selectionActive = true;
        selectedColumn = n - 2;
        selectedRow = 1;
        int wx, wy, ox, oy;
        // Middle of the outline's top edge, and of another front cubie's.
        projectCubiePoint(n - 2, 1, n - 1, 0.0, 1.0, 1.1, wx, wy);
        projectCubiePoint(0, 0, n - 1, 0.0, 1.0, 1.1, ox, oy);

        gameState = STATE_PLAYING;
        drawAt(0);  // t = 0: (cos, sin, tan) = (1, 0, 0)
        EXPECT_TRUE(colourNear(wx, wy, {255, 0, 0})) << "N=" << n;
        drawAt(157);  // t = 1.57: green full, blue saturated by GL's clamp
        EXPECT_TRUE(colourNear(wx, wy, {0, 255, 255})) << "N=" << n;
        EXPECT_FALSE(colourNear(ox, oy, {0, 255, 255})) << "only the selected cubie is marked";

        gameState = STATE_MENU;
        drawAt(157);
        EXPECT_FALSE(colourNear(wx, wy, {0, 255, 255})) << "no marker on the title screen";
        gameState = STATE_PLAYING;
        selectionActive = false;
        drawAt(157);
        EXPECT_FALSE(colourNear(wx, wy, {0, 255, 255})) << "no marker without a selection";
    }
}

TEST(CubieMesh, MissingAndUnknownStickersAreBlackAndTheCallEndsOnBlack)
{
    useGameGraphics();
    resetGame(3);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslated(0, 0, -6);
    // Front sticker 0, then an unknown code: both black on a white clear.
    const int codes[] = {0, 9, -3};
    for (int code : codes) {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (int f = 0; f < 6; f++)
            cubieColors[f] = 2;
        cubieColors[5] = code;
        drawCubie(false);
        const Rgb centre = readPixel(400, 300);
        EXPECT_EQ(centre.r + centre.g + centre.b, 0) << "code " << code;
        GLfloat current[4];
        glGetFloatv(GL_CURRENT_COLOR, current);
        EXPECT_EQ(current[0] + current[1] + current[2], 0.0f);
    }
    glClearColor(0, 0, 0, 0.5f);
    // A white front sticker is white where the black one was.
    cubieColors[5] = 2;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawCubie(false);
    const Rgb white = readPixel(400, 300);
    EXPECT_EQ(white.r + white.g + white.b, 3 * 255);
}
