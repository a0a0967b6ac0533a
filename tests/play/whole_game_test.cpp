#include "support/test_game.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Move { int axisX, axisY, layer; };

// Replays the generator the way the scramble draws, to learn its moves.
std::vector<Move> scrambleMoves(uint32_t seed, int count)
{
    seedRandom(seed);
    std::vector<Move> moves;
    for (int i = 0; i < count; i++) {
        Move m = {0, 0, 0};
        if (randomInt(0, 1) == 1)
            m.axisX = randomInt(-1, 1);
        else
            m.axisY = randomInt(-1, 1);
        m.layer = randomInt(0, cubeLast);
        moves.push_back(m);
    }
    return moves;
}

// A grid key that selects column c (for a turn about X) or row r (about Y).
int gridKeyFor(int column, int row)
{
    const char* const rows[] = {"WXCV", "QSDF", "AZER", "1234"};
    return rows[row][column];
}

int playClock = 1000;

// One play frame, the way the frame driver runs it, 100 ms after the last.
void frame()
{
    playClock += 100;
    setRunClockForTest(playClock);
    frameClock = playClock;
    turnDuration = 300;
    handleGameKeys();
    drawCube();
}

} // namespace

TEST(WholeGame, UndoingTheScrambleWithKeysWinsInTheLastCommitPass)
{
    useGameGraphics();
    for (int n = 3; n <= 4; n++) {
        resetGame(n, playClock);
        const uint32_t seed = 2024 + n;
        const std::vector<Move> moves = scrambleMoves(seed, 150);
        seedRandom(seed);
        scrambleCube(150);
        gameState = STATE_PLAYING;

        int turnsMade = 0;
        int i = 149;
        for (; i >= 0 && gameState == STATE_PLAYING; i--) {
            const Move& m = moves[i];
            if (m.axisX == 0 && m.axisY == 0)
                continue;
            if (m.layer != 0) {
                const int column = m.axisX ? m.layer - 1 : 0;
                const int row = m.axisX ? 0 : m.layer - 1;
                keys[gridKeyFor(column, row)] = true;
                frame();
                ASSERT_TRUE(isSelectedCubie(column, row, n - 1));
            }
            // The inverse turn: Up is -X, Down +X, Left -Y, Right +Y.
            if (m.axisX)
                keys[m.axisX > 0 ? VK_UP : VK_DOWN] = true;
            else
                keys[m.axisY > 0 ? VK_LEFT : VK_RIGHT] = true;
            frame();
            ASSERT_TRUE(turnAnimating);
            while (turnAnimating)
                frame();
            turnsMade++;
        }
        EXPECT_GT(turnsMade, 50);
        EXPECT_EQ(gameState, STATE_WON) << "N=" << n;
        // Won early only if what is left to undo just turns the whole cube.
        for (; i >= 0; i--)
            EXPECT_EQ(moves[i].layer * (moves[i].axisX != 0 || moves[i].axisY != 0), 0) << "move " << i;
        // Won in the commit pass itself: the axes were cleared in that pass.
        EXPECT_EQ(turnAxisX + turnAxisY, 0);
    }
}
