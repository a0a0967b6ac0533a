#include "play/play.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/input.h"
#include "platform/winapi_names.h"

void toggleSelection(int col, int row)
{
    if (selectionActive && selectedColumn == col && selectedRow == row) {
        selectionActive = false;
        return;
    }
    selectionActive = true;
    selectedColumn = col;
    selectedRow = row;
}

bool isSelectedCubie(int x, int y, int z)
{
    return gameState == STATE_PLAYING && selectionActive && z == cubeSize - 1 && x == selectedColumn
        && y == selectedRow;
}

struct GridKey {
    int code;
    int column;
    int row;
};

// On an AZERTY keyboard these letters sit in the shape of the front face.
static const GridKey GRID_KEYS[] = {
    {'W', 0, 0}, {'X', 1, 0}, {'C', 2, 0}, {'Q', 0, 1}, {'S', 1, 1},
    {'D', 2, 1}, {'A', 0, 2}, {'Z', 1, 2}, {'E', 2, 2},
};
// The 4-cube's top row (the digits) and right-hand column.
static const GridKey GRID_KEYS_4[] = {
    {'1', 0, 3}, {'2', 1, 3}, {'3', 2, 3}, {'4', 3, 3}, {'R', 3, 2}, {'F', 3, 1}, {'V', 3, 0},
};

// The first key of the block that is down is consumed and acts; the rest of
// the block waits for the next frame.
static void readGridBlock(const GridKey* block, int count)
{
    for (int i = 0; i < count; i++) {
        const GridKey& key = block[i];
        if (keys[key.code]) {
            keys[key.code] = false;
            toggleSelection(key.column, key.row);
            return;
        }
    }
}

static void readArrowBlock()
{
    if (keys[VK_UP]) {
        keys[VK_UP] = false;
        requestTurn(-1, 0);
    } else if (keys[VK_DOWN]) {
        keys[VK_DOWN] = false;
        requestTurn(1, 0);
    } else if (keys[VK_LEFT]) {
        keys[VK_LEFT] = false;
        requestTurn(0, -1);
    } else if (keys[VK_RIGHT]) {
        keys[VK_RIGHT] = false;
        requestTurn(0, 1);
    }
}

void handleGameKeys()
{
    readArrowBlock();
    readGridBlock(GRID_KEYS, sizeof GRID_KEYS / sizeof GRID_KEYS[0]);
    if (cubeSize == 4)
        readGridBlock(GRID_KEYS_4, sizeof GRID_KEYS_4 / sizeof GRID_KEYS_4[0]);
}
