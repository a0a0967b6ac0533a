#include "support/test_game.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

#include <gtest/gtest.h>

namespace {

void startPlay(int n)
{
    useGameGraphics();
    resetGame(n, 0);
    gameState = STATE_PLAYING;
    turnDuration = 300;
}

} // namespace

TEST(PlayKeys, GridKeysSelectToggleAndMoveTheSelection)
{
    startPlay(3);
    keys['S'] = true;
    handleGameKeys();
    EXPECT_FALSE(keys['S']) << "consumed";
    EXPECT_TRUE(selectionActive);
    EXPECT_EQ(selectedColumn, 1);
    EXPECT_EQ(selectedRow, 1);
    EXPECT_TRUE(isSelectedCubie(1, 1, 2));
    EXPECT_FALSE(isSelectedCubie(1, 1, 1)) << "only the front layer";

    keys['S'] = true;
    handleGameKeys();
    EXPECT_FALSE(selectionActive) << "the same key deselects";
    EXPECT_EQ(selectedColumn, 1) << "and keeps the cell";

    keys['E'] = true;
    handleGameKeys();
    EXPECT_TRUE(selectionActive);
    EXPECT_EQ(selectedColumn, 2);
    EXPECT_EQ(selectedRow, 2);
    keys['W'] = true;
    handleGameKeys();
    EXPECT_TRUE(selectionActive) << "another key moves the selection in one step";
    EXPECT_EQ(selectedColumn, 0);
    EXPECT_EQ(selectedRow, 0);

    // Two grid keys of one block: the earlier acts now, the later next frame.
    keys['A'] = true;
    keys['Q'] = true;
    handleGameKeys();
    EXPECT_EQ(selectedRow, 1);
    EXPECT_TRUE(keys['A']);
    handleGameKeys();
    EXPECT_EQ(selectedRow, 2);
}

TEST(PlayKeys, BlocksActInOrderAndTheArrowUsesTheOldSelection)
{
    startPlay(4);
    selectionActive = true;
    selectedColumn = 2;
    selectedRow = 0;
    keys[VK_UP] = true;
    keys[VK_LEFT] = true;
    keys['D'] = true;
    keys['4'] = true;
    handleGameKeys();
    EXPECT_EQ(turnAxisX, -1) << "Up comes before Left";
    EXPECT_EQ(turnLayer, 3) << "the column selected before this frame";
    EXPECT_TRUE(keys[VK_LEFT]) << "one arrow a frame";
    EXPECT_FALSE(keys['D']);
    EXPECT_FALSE(keys['4']);
    // D selected (2, 1), then the 4-cube block's 4 moved it to (3, 3).
    EXPECT_TRUE(selectionActive);
    EXPECT_EQ(selectedColumn, 3);
    EXPECT_EQ(selectedRow, 3);
}

TEST(PlayKeys, ArrowDuringATurnIsConsumedAndDropped)
{
    startPlay(3);
    keys[VK_DOWN] = true;
    handleGameKeys();
    ASSERT_TRUE(turnAnimating);
    EXPECT_EQ(turnLayer, 0) << "no selection: the whole cube";
    keys['C'] = true;
    handleGameKeys();
    keys[VK_RIGHT] = true;
    handleGameKeys();
    EXPECT_FALSE(keys[VK_RIGHT]) << "consumed";
    EXPECT_EQ(turnAxisX, 1);
    EXPECT_EQ(turnAxisY, 0) << "dropped";
    EXPECT_TRUE(selectionActive) << "the selection stays";
}

TEST(PlayKeys, FourCubeKeysAreNeitherReadNorConsumedOnAThreeCube)
{
    startPlay(3);
    const int extra[] = {'1', '2', '3', '4', 'R', 'F', 'V'};
    for (int k : extra) {
        keys[k] = true;
        handleGameKeys();
        EXPECT_TRUE(keys[k]) << static_cast<char>(k);
        EXPECT_FALSE(selectionActive);
        keys[k] = false;
    }
    startPlay(4);
    const int rows[] = {3, 3, 3, 3, 2, 1, 0};
    const int cols[] = {0, 1, 2, 3, 3, 3, 3};
    for (int i = 0; i < 7; i++) {
        keys[extra[i]] = true;
        handleGameKeys();
        EXPECT_FALSE(keys[extra[i]]);
        EXPECT_TRUE(isSelectedCubie(cols[i], rows[i], 3)) << static_cast<char>(extra[i]);
        selectionActive = false;
    }
}

TEST(PlayKeys, ArrowsTurnTheSelectedLayerInTheirSense)
{
    // Up carries the column's front to the top, Left the row's front to the left.
    struct Case { int key; int column, row; int face, fromFace; };
    const Case cases[] = {
        {VK_UP, 0, 0, 3, 5}, {VK_DOWN, 2, 0, 2, 5}, {VK_LEFT, 0, 1, 0, 5}, {VK_RIGHT, 0, 2, 1, 5},
    };
    for (const Case& c : cases) {
        startPlay(3);
        toggleSelection(c.column, c.row);
        keys[c.key] = true;
        handleGameKeys();
        setRunClockForTest(300);
        frameClock = 300;
        drawCube();
        // The layer's front stickers (red) are now on the face it turned to.
        const int x = (c.key == VK_UP || c.key == VK_DOWN) ? c.column : (c.face == 0 ? 0 : 2);
        const int y = (c.key == VK_UP || c.key == VK_DOWN) ? (c.face == 3 ? 2 : 0) : c.row;
        EXPECT_EQ(cubeLive[x][y][1][c.face], 3) << "key " << c.key;
    }
}
