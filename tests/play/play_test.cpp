// Turns, keys and game states, frame by frame on the software GL.
#include "support/test_game.h"

#include <climits>

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
        // One layer turning, and the demo's selection not left behind.
        EXPECT_EQ(turnLayer > 0 && turnAnimating, i < 6) << clocks[i];
        EXPECT_FALSE(selectionActive) << clocks[i];
    }
}

TEST(PlayKeys, GridKeysSelectTheirCellsAndEachBlockActsOnceAFrameWithArrowsTurningTheOldSelection)
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
        // Consumed when read, where the cube has the cell; again, it deselects.
        EXPECT_EQ(keys[key], row >= n || cell % 4 >= n);
        EXPECT_EQ(isSelectedCubie(cell % 4, row, n - 1), !keys[key]);
        keys[key] = true;
        handleGameKeys();
        EXPECT_FALSE(selectionActive);
    }
    // One key of each block a frame; an arrow turns what was selected before.
    keys['E'] = true;
    keys['D'] = true;
    keys['4'] = true;
    keys[VK_UP] = true;
    keys[VK_LEFT] = true;
    toggleSelection(2, 0);
    handleGameKeys();
    // Up turns column 2; the second key of a block waits; D, then 4 of the 4-cube's block.
    EXPECT_EQ(turnAxisX, -1);
    EXPECT_EQ(turnLayer, 3);
    EXPECT_TRUE(keys[VK_LEFT]);
    EXPECT_TRUE(keys['E']);
    EXPECT_TRUE(isSelectedCubie(3, 3, 3));
    handleGameKeys();
    // An arrow during a turn is consumed and dropped; E.
    EXPECT_FALSE(keys[VK_LEFT]);
    EXPECT_EQ(turnAxisY, 0);
    EXPECT_TRUE(isSelectedCubie(2, 2, 3));
    // C, in the selected column, moves the selection.
    keys['C'] = true;
    handleGameKeys();
    EXPECT_TRUE(isSelectedCubie(2, 0, 3));
}

TEST(WholeGame, OneStartsAGameAndUndoingItsScrambleWithKeysWinsAndFreezesTheTimeTillDelete)
{
    useGameGraphics();
    for (int n = 3; n <= 4; n++) {
        SCOPED_TRACE(n);
        // A title screen half through a demo turn, spun; the size's key, left down.
        resetGame(3, 4000);
        frameAt(4100);
        viewAngleX = 30;
        keys['0' + n - 2] = true;
        frameAt(4116);
        EXPECT_EQ(gameState, STATE_PLAYING);
        EXPECT_EQ(cubeSize, n);
        EXPECT_EQ(gameStartClock, 4116);
        // A game starts still and unspun.
        EXPECT_FALSE(turnAnimating);
        EXPECT_EQ(viewAngleX, 0);
        frameAt(4132);
        // Still down, 2 is also the 4-cube's grid key of the top row's second cubie.
        EXPECT_EQ(isSelectedCubie(1, 3, 3), n == 4);
        keys['0' + n - 2] = false;
        // A scramble whose moves are known: about X, direction, layer.
        int moves[150][3];
        seedRandom(n);
        for (auto& move : moves) {
            move[0] = randomInt(0, 1);
            move[1] = randomInt(-1, 1);
            move[2] = randomInt(0, cubeLast);
        }
        seedRandom(n);
        resetCubeSolved();
        scrambleCube(150);
        selectionActive = false;
        int clock = 4132;
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
        const std::string time = timeText;
        frameAt(clock + 5000);
        // The winner screen spins and keeps the time of the solving frame.
        EXPECT_EQ(gameState, STATE_WON);
        EXPECT_GT(viewAngleY, 0);
        EXPECT_EQ(timeText, time);
        // Delete, read but not consumed.
        keys[VK_DELETE] = true;
        frameAt(clock + 5016);
        EXPECT_EQ(gameState, STATE_MENU);
        EXPECT_TRUE(keys[VK_DELETE]);
    }
}
