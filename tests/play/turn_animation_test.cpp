#include "support/test_game.h"
#include "support/test_gl.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/run_clock.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

// The rotation applyTurnRotation leaves on an identity matrix, as an angle
// about an axis (0 when it adds none).
double rotationAngle(int x, int y, int z, double axis[3])
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    applyTurnRotation(x, y, z);
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
    const double trace = m[0] + m[5] + m[10];
    const double angle = std::acos(std::fmax(-1.0, std::fmin(1.0, (trace - 1) / 2))) * 180.0 / M_PI;
    // Axis from the skew part (column-major: m[4*col + row]).
    axis[0] = m[6] - m[9];
    axis[1] = m[8] - m[2];
    axis[2] = m[1] - m[4];
    return angle;
}

void pass(int clock)
{
    setRunClockForTest(clock);
    frameClock = clock;
    drawCube();
}

} // namespace

TEST(TurnAnimation, TurningCubiesRotateByElapsedShareAboutTheAxisAndOthersNot)
{
    useGameGraphics();
    struct Case { int n, dirX, dirY, column, row; };
    const Case cases[] = {{3, -1, 0, 0, 2}, {3, 1, 0, 2, 0}, {4, 0, -1, 1, 3}, {4, 0, 1, 3, 0}};
    for (const Case& c : cases) {
        resetGame(c.n, 100);
        turnDuration = 300;
        selectionActive = true;
        selectedColumn = c.column;
        selectedRow = c.row;
        requestTurn(c.dirX, c.dirY);
        for (int t = 0; t < 300; t += 37) {
            pass(100 + t);
            for (int x = 0; x < c.n; x++)
                for (int y = 0; y < c.n; y++)
                    for (int z = 0; z < c.n; z++) {
                        double axis[3];
                        const double angle = rotationAngle(x, y, z, axis);
                        const bool turning = c.dirX ? x == c.column : y == c.row;
                        if (!turning || t == 0) {
                            ASSERT_NEAR(angle, 0.0, 1e-4);
                            continue;
                        }
                        ASSERT_NEAR(angle, 90.0 * t / 300, 1e-3) << "t=" << t;
                        // The axis points along the request's sign.
                        ASSERT_GT(axis[0] * c.dirX + axis[1] * c.dirY, 0.0);
                        ASSERT_NEAR(axis[2], 0.0, 1e-9);
                    }
        }
    }
}

TEST(TurnAnimation, DrawnAngleStaysBelowNinetyAndTheTurnCommitsOnce)
{
    useGameGraphics();
    resetGame(3, 0);
    turnDuration = 300;
    requestTurn(0, 1);
    double axis[3];
    pass(299);
    EXPECT_TRUE(turnAnimating);
    EXPECT_LT(rotationAngle(0, 0, 0, axis), 90.0);
    EXPECT_GT(rotationAngle(0, 0, 0, axis), 89.0);
    // A long frame: the pass that passes the duration commits, unrotated.
    pass(5000);
    EXPECT_FALSE(turnAnimating);
    EXPECT_EQ(turnAxisY, 0) << "cleared after the commit pass";
    EXPECT_NEAR(rotationAngle(0, 0, 0, axis), 0.0, 1e-9);
    // Front now yellow (from the left); later passes change nothing more.
    EXPECT_EQ(cubeLive[1][1][2][5], 5);
    pass(6000);
    EXPECT_EQ(cubeLive[1][1][2][5], 5);
}

TEST(TurnAnimation, DurationChangeMidTurnTakesEffectInTheNextPass)
{
    // Delete during a play turn: the title screen's 1000 ms take over.
    useGameGraphics();
    resetGame(3, 0);
    turnDuration = 300;
    requestTurn(1, 0);
    double axis[3];
    pass(200);
    EXPECT_NEAR(rotationAngle(1, 1, 1, axis), 60.0, 1e-4);
    turnDuration = 1000;
    pass(201);
    EXPECT_NEAR(rotationAngle(1, 1, 1, axis), 18.09, 1e-4);
    pass(999);
    EXPECT_TRUE(turnAnimating);
    pass(1000);
    EXPECT_FALSE(turnAnimating);
    EXPECT_EQ(turnAxisX, 0);
}

TEST(TurnAnimation, RequestsDuringATurnAreDroppedAndZeroRequestsStartNothing)
{
    useGameGraphics();
    resetGame(3, 0);
    requestTurn(-1, 0);
    ASSERT_TRUE(turnAnimating);
    selectionActive = true;
    selectedColumn = 2;
    const int layer = turnLayer;
    cubeSnapshot[0][0][0][0] = 42;
    requestTurn(0, 1);
    EXPECT_EQ(turnLayer, layer);
    EXPECT_EQ(turnAxisY, 0);
    EXPECT_EQ(cubeSnapshot[0][0][0][0], 42) << "no new snapshot";
    EXPECT_TRUE(selectionActive) << "the selection stays";

    resetGame(3, 0);
    selectionActive = true;
    selectedColumn = 1;
    cubeSnapshot[0][0][0][0] = 42;
    requestTurn(0, 0);
    EXPECT_FALSE(turnAnimating);
    EXPECT_EQ(turnLayer, 0);
    EXPECT_FALSE(selectionActive);
    EXPECT_EQ(cubeSnapshot[0][0][0][0], cubeLive[0][0][0][0]) << "the snapshot is refreshed";
}

TEST(TurnAnimation, DemoTurnsOnlyInTheFirstHalfSecondOfEveryTwo)
{
    useGameGraphics();
    // The phase is that of the unsigned clock, so it runs on through the
    // clock's turn negative: INT_MIN + 352 and -1296 begin a cycle.
    const struct { int clock; bool busy, attempt; } cases[] = {
        {0, false, true}, {499, false, true}, {500, false, false}, {1999, false, false},
        {2000, false, true}, {0, true, false}, {-1, false, false}, {-705, false, false},
        {-1296, false, true}, {-1297, false, false}, {INT_MIN, false, false},
        {INT_MIN + 352, false, true}, {INT_MIN + 851, false, true}, {INT_MIN + 852, false, false},
    };
    for (const auto& c : cases) {
        resetGame(3, c.clock);
        turnDuration = 1000;
        turnAnimating = c.busy;
        seedRandom(11);
        menuDemoTurn();
        // An attempt draws the layer, axis and direction: the generator moved.
        const int next[2] = {randomInt(0, 32767), randomInt(0, 32767)};
        seedRandom(11);
        const bool drew = next[0] != randomInt(0, 32767) || next[1] != randomInt(0, 32767);
        EXPECT_EQ(drew, c.attempt) << c.clock;
        EXPECT_TRUE(c.attempt || turnAnimating == c.busy) << c.clock;
        EXPECT_FALSE(selectionActive) << "a demo selection never stays, at " << c.clock;
    }
}
