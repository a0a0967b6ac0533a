// Turns, keys and game states, frame by frame on the software GL.
#include "support/test_game.h"

#include <climits>
#include <cstdio>

// The grid keys by front-face row, bottom to top, and column, left to right.
static const char* const GRID[] = {"WXCV", "QSDF", "AZER", "1234"};

TEST(DemoTurns, StartOnlyInTheFirstHalfSecondOfEveryTwoRightAcrossTheClocksWrap)
{
    useGameGraphics();
    // The unsigned clock's phase: INT_MIN + 352 and -1296 begin a cycle.
    const int clocks[] = {0,   499,  2000, -1296, INT_MIN + 352, INT_MIN + 851,
                          500, 1999, -1,   -1297, INT_MIN,       INT_MIN + 852};
    for (int i = 0; i < 12; i++) {
        resetGame(3, clocks[i]);
        turnDuration = 1000;
        // This generator's first demo turn has a direction.
        seedRandom(11);
        menuDemoTurn();
        EXPECT_EQ(turnLayer > 0 && turnAnimating, i < 6) << "one layer turning at " << clocks[i];
        EXPECT_FALSE(selectionActive) << "the demo's selection left at " << clocks[i];
    }
    // A request of no direction turns nothing, and takes the selection all the same.
    selectionActive = true;
    requestTurn(0, 0);
    EXPECT_FALSE(turnAnimating || selectionActive);
}

TEST(PlayKeys, EachGridKeySelectsItsCellWhereTheCubeHasOneAndAgainDeselects)
{
    useGameGraphics();
    for (int cell = 0; cell < 32; cell++) {
        const int n = 3 + cell / 16;
        const int row = cell / 4 % 4;
        const int key = GRID[row][cell % 4];
        SCOPED_TRACE(char(key));
        resetGame(n);
        gameState = STATE_PLAYING;
        keys[key] = true;
        handleGameKeys();
        EXPECT_EQ(keys[key], row >= n || cell % 4 >= n) << "consumed when read";
        EXPECT_EQ(isSelectedCubie(cell % 4, row, n - 1), !keys[key]);
        keys[key] = true;
        handleGameKeys();
        EXPECT_FALSE(selectionActive) << "again";
    }
    // One key of each block a frame; an arrow turns what was selected before.
    keys['E'] = true;
    keys['D'] = true;
    keys['4'] = true;
    keys[VK_UP] = true;
    keys[VK_LEFT] = true;
    toggleSelection(2, 0);
    handleGameKeys();
    EXPECT_TRUE(turnAxisX == -1 && turnLayer == 3) << "Up turns column 2";
    EXPECT_TRUE(keys[VK_LEFT] && keys['E']) << "the second key of a block waits";
    EXPECT_TRUE(isSelectedCubie(3, 3, 3)) << "D, then 4 of the 4-cube's block";
    handleGameKeys();
    EXPECT_TRUE(!keys[VK_LEFT] && turnAxisY == 0) << "an arrow during a turn is consumed and dropped";
    EXPECT_TRUE(isSelectedCubie(2, 2, 3)) << "E";
    keys['C'] = true;
    handleGameKeys();
    EXPECT_TRUE(isSelectedCubie(2, 0, 3)) << "C, in the selected column, moves the selection";
}

TEST(FrameDriver, TitleKeysStartAGameLeftDownAndDeleteReturnsToTheTitle)
{
    useGameGraphics();
    // 1, 2, or both.
    for (int down = 1; down <= 3; down++) {
        const int size = down == 2 ? 4 : 3;
        resetGame(3, 4000);
        seedRandom(1);
        frameAt(4016);
        ASSERT_TRUE(turnAnimating) << "a demo turn under way";
        viewAngleX = 30;
        keys['1'] = down & 1;
        keys['2'] = down & 2;
        frameAt(4032);
        EXPECT_TRUE(gameState == STATE_PLAYING && cubeSize == size && gameStartClock == 4032) << down;
        EXPECT_TRUE(!turnAnimating && viewAngleX == 0) << "a game starts still and unspun";
        EXPECT_EQ(turnDuration, 1000) << "the starting frame is a title frame";
        frameAt(4048);
        EXPECT_TRUE(turnDuration == 300 && viewAngleY == 0) << "play does not spin";
        // Still down, 2 is the 4-cube's grid key of the top row's second cubie.
        EXPECT_EQ(isSelectedCubie(1, 3, 3), size == 4);
    }
    for (int state : {STATE_PLAYING, STATE_WON}) {
        resetGame(3, 9000);
        gameState = state;
        keys[VK_DELETE] = true;
        frameAt(9000);
        EXPECT_TRUE(gameState == STATE_MENU && turnDuration == 1000) << "the title at once, from " << state;
        EXPECT_TRUE(keys[VK_DELETE]) << "Delete is read, not consumed";
    }
}

TEST(WholeGame, UndoingTheScrambleWithKeysWinsInTheLastCommitAndFreezesTheTime)
{
    useGameGraphics();
    for (int n = 3; n <= 4; n++) {
        resetGame(n, 1000);
        // The scramble's moves from its draws: about X, direction, layer.
        int moves[150][3];
        seedRandom(n);
        for (auto& move : moves) {
            move[0] = randomInt(0, 1);
            move[1] = randomInt(-1, 1);
            move[2] = randomInt(0, cubeLast);
        }
        seedRandom(n);
        scrambleCube(150);
        gameState = STATE_PLAYING;
        gameStartClock = -64000;
        int clock = 1000;
        for (int i = 149; i >= 0 && gameState == STATE_PLAYING; i--) {
            const auto [aboutX, sign, layer] = moves[i];
            if (sign == 0)
                continue;
            if (layer != 0) {
                keys[int{aboutX ? GRID[0][layer - 1] : GRID[layer - 1][0]}] = true;
                frameAt(clock += 16);
            }
            // The inverse turn: Up is -X, Down +X, Left -Y, Right +Y.
            const int inverse[2][2] = {{VK_RIGHT, VK_LEFT}, {VK_DOWN, VK_UP}};
            keys[inverse[aboutX][sign > 0]] = true;
            frameAt(clock += 16);
            while (turnAnimating)
                frameAt(clock += 300);
        }
        EXPECT_EQ(gameState, STATE_WON);
        const int ms = clock + 64000;
        char time[32];
        std::snprintf(time, sizeof time, "%d:%2d:%2d.%3d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                      ms % 1000);
        EXPECT_STREQ(timeText, time) << "the time of the solving frame";
        frameAt(clock + 5000);
        EXPECT_TRUE(gameState == STATE_WON && viewAngleY > 0) << "the winner screen spins";
        EXPECT_STREQ(timeText, time) << "and keeps the time";
    }
}
