#include "support/test_game.h"
#include "support/text_pixels.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> picture(800 * 600 * 3);

// Where the title screen's "Torvelo" and the winner banner stand.
const Box TITLE_BOX = {215, 525, 590, 599};  // above the cube, left of the timer
const Box WINNER_BOX = {175, 420, 799, 520};
const Box TIMER_BOX = {595, 545, 799, 580};

void frameAt(int clock)
{
    setRunClockForTest(clock);
    drawFrame();
    readFrame(picture.data());
}

int lit(Box box)
{
    return countLit(picture.data(), box);
}

} // namespace

TEST(FrameDriver, TitleKeysStartGamesOfTheirSizeWithoutBeingConsumed)
{
    useGameGraphics();
    const struct { bool one, two; int size; } cases[] = {{true, false, 3}, {false, true, 4}, {true, true, 3}};
    for (const auto& c : cases) {
        resetGame(3, 5000);
        frameAt(5000);
        EXPECT_GT(lit(TITLE_BOX), 100) << "the title screen";
        keys['1'] = c.one;
        keys['2'] = c.two;
        frameAt(5016);
        EXPECT_EQ(gameState, STATE_PLAYING);
        EXPECT_EQ(cubeSize, c.size);
        EXPECT_EQ(cubeLast, c.size - 1);
        EXPECT_EQ(gameStartClock, 5016);
        EXPECT_EQ(keys['1'], c.one) << "not consumed";
        EXPECT_EQ(keys['2'], c.two);
        EXPECT_GT(lit(TITLE_BOX), 100) << "the starting frame is still a title frame";
        keys['1'] = keys['2'] = false;
        frameAt(5032);
        EXPECT_EQ(lit(TITLE_BOX), 0) << "play shows no title";
        EXPECT_GT(lit(TIMER_BOX), 20) << "play shows the timer";
        EXPECT_EQ(turnDuration, 300);
    }
}

TEST(FrameDriver, GameStartDuringADemoTurnAbandonsIt)
{
    useGameGraphics();
    resetGame(3, 0);
    seedRandom(1);
    // Frames inside the demo window until a demo turn runs.
    int clock = 0;
    while (!turnAnimating && clock < 400)
        frameAt(clock += 16);
    ASSERT_TRUE(turnAnimating);
    keys['2'] = true;
    frameAt(clock += 16);
    keys['2'] = false;
    EXPECT_EQ(gameState, STATE_PLAYING);
    EXPECT_FALSE(turnAnimating);
    EXPECT_EQ(turnAxisX + turnAxisY + turnAxisZ, 0);
    EXPECT_FALSE(selectionActive);
    EXPECT_EQ(viewAngleX, 0.0f);
    EXPECT_EQ(viewAngleY, 0.0f);
}

TEST(FrameDriver, DeleteReturnsToTheTitleFromPlayAndFromTheWinnerScreen)
{
    useGameGraphics();
    for (int state : {STATE_PLAYING, STATE_WON}) {
        resetGame(3, 10000);
        seedRandom(9);
        scrambleCube(40);
        gameState = state;
        keys[VK_DELETE] = true;
        frameAt(10000);
        EXPECT_EQ(gameState, STATE_MENU);
        EXPECT_TRUE(keys[VK_DELETE]) << "not consumed";
        EXPECT_GT(lit(TITLE_BOX), 100) << "the same frame is a title frame";
        EXPECT_EQ(turnDuration, 1000);
    }
}

TEST(FrameDriver, SolvingTurnWinsAndTheWinnerScreenKeepsTheLastPlayTime)
{
    useGameGraphics();
    resetGame(3, 20000);
    // One turn away from solved: the middle column turned down.
    turnAnimating = false;
    turnAxisX = 1;
    turnLayer = 2;
    snapshotCube();
    for (int x = 0; x < 3; x++)
        for (int y = 0; y < 3; y++)
            for (int z = 0; z < 3; z++)
                computeCubieColors(x, y, z);
    turnAxisX = 0;
    turnLayer = 0;
    gameState = STATE_PLAYING;
    gameStartClock = 20000 - 65000;

    keys['S'] = true;
    frameAt(20000);
    keys[VK_UP] = true;
    frameAt(20016);
    ASSERT_TRUE(turnAnimating);
    frameAt(20200);
    EXPECT_EQ(gameState, STATE_PLAYING);
    frameAt(20316);  // the commit pass
    EXPECT_EQ(gameState, STATE_WON);
    EXPECT_STREQ(timeText, "0: 1: 5.316");
    EXPECT_GT(lit(TIMER_BOX), 20) << "the solving frame is still a play frame";

    // Winner banner's colour stands at (1, 0, 1) in the first 180 ms of a
    // 180-second cycle.
    frameAt(180000);
    EXPECT_GT(countColour(picture.data(), WINNER_BOX, {255, 0, 255}), 300);
    EXPECT_STREQ(timeText, "0: 1: 5.316") << "frozen";
    const float spun = viewAngleY;
    frameAt(180016);
    EXPECT_NE(viewAngleY, spun) << "the winner screen spins";
}

TEST(FrameDriver, ViewSpinStaysBelow360AndKeepsMoving)
{
    viewAngleX = viewAngleY = 359.98f;
    spinView();
    EXPECT_GE(viewAngleY, 0.0f);
    EXPECT_LT(viewAngleY, 1.0f);
    EXPECT_LT(viewAngleX, 1.0f);
    // Long after a float that only grew would have stopped moving.
    for (int i = 0; i < 3000000; i++)
        spinView();
    const float before = viewAngleY;
    spinView();
    EXPECT_NE(viewAngleY, before);
    EXPECT_GE(viewAngleY, 0.0f);
    EXPECT_LT(viewAngleY, 360.0f);
}
