#include "game_invariants.h"
#include "key_fuzz.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/run_clock.h"
#include "play/play.h"
#include "render/render.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>

namespace {

void printTally(const char* name, const FuzzTally& t)
{
    std::printf("%s: %ld events (%ld key downs, %ld key ups, %ld clock steps), %ld frames: %ld title, "
                "%ld play 3, %ld play 4, %ld winner; %ld animating, %ld turns ended; games %ld + %ld, "
                "%ld wins (%ld cubes set solved)\n",
                name, t.events, t.keyDowns, t.keyUps, t.clockSteps, t.frames, t.menuFrames, t.playFrames[3],
                t.playFrames[4], t.wonFrames, t.animatingFrames, t.turnsEnded, t.gamesStarted[3],
                t.gamesStarted[4], t.wins, t.testSolves);
}

// The run must have gone everywhere, or its silence proves little.
void expectEveryScreenVisited(const FuzzTally& t)
{
    EXPECT_GT(t.menuFrames, 100);
    EXPECT_GT(t.playFrames[3], 100);
    EXPECT_GT(t.playFrames[4], 100);
    EXPECT_GT(t.wonFrames, 20);
    EXPECT_GT(t.gamesStarted[3], 5);
    EXPECT_GT(t.gamesStarted[4], 5);
    EXPECT_GT(t.wins, 2);
    EXPECT_GT(t.animatingFrames, 100);
    EXPECT_GT(t.turnsEnded, 100);
}

// Half of the 10^5 events from the clock's start, half across its wrap past
// 2^31 ms; scripts/soak.sh runs 10^6.
void fuzzFiftyThousand(uint64_t seed, int startMs)
{
    fuzzStart(startMs);
    FuzzInput input = fuzzSeeded(seed);
    FuzzTally tally = {};
    const char* broken = fuzzRun(input, 50000, tally);
    printTally(startMs == 0 ? "from the start" : "across the wrap", tally);
    ASSERT_EQ(broken, nullptr) << "after " << tally.events << " events: " << broken;
    EXPECT_EQ(tally.events, 50000);
    expectEveryScreenVisited(tally);
}

} // namespace

TEST(KeyFuzz, RandomKeysAndClockStepsFromTheStartKeepEveryInvariantOnEveryScreen)
{
    fuzzFiftyThousand(20240601, 0);
}

TEST(KeyFuzz, RandomKeysAndClockStepsAcrossTheClocksWrapKeepEveryInvariant)
{
    fuzzFiftyThousand(77031, INT_MAX - 600000);
    EXPECT_LT(runClock(), 0) << "the clock did not wrap";
}

TEST(KeyFuzz, InvariantsCatchEachKindOfBreakage)
{
    fuzzStart(1000);
    ASSERT_EQ(brokenInvariant(), nullptr) << "a solved cube";
    scrambleCube(150);
    ASSERT_EQ(brokenInvariant(), nullptr) << "a scrambled cube";
    resetCubeSolved();

    // Each case breaks one rule on the solved 3-cube, then mends it.
    const struct {
        const char* what;
        std::function<void()> breakIt;
        std::function<void()> mend;
    } cases[] = {
        // Same colours, same counts: only the corner's twist gives it away.
        {"a mirrored corner", [] { std::swap(cubeLive[0][0][0][0], cubeLive[0][0][0][2]); }, resetCubeSolved},
        // Same counts again, but a corner and an edge no solved cube has.
        {"a corner sticker swapped with an edge's", [] { std::swap(cubeLive[0][0][0][0], cubeLive[1][0][0][2]); },
         resetCubeSolved},
        {"a coloured inner side", [] { cubeLive[1][1][1][3] = 2; }, [] { cubeLive[1][1][1][3] = 0; }},
        {"an unknown colour", [] { cubeLive[2][2][2][1] = 7; }, resetCubeSolved},
        {"a colour too many", [] { cubeLive[1][1][2][5] = cubeLive[1][1][0][4]; }, resetCubeSolved},
        {"an axis left set", [] { turnAxisY = 1; }, [] { turnAxisY = 0; }},
        {"a finished turn not cleared", [] { turnFinished = true; }, [] { turnFinished = false; }},
        {"a turn about two axes", [] { turnAnimating = true, turnAxisX = 1, turnAxisY = -1; },
         [] { turnAnimating = false, turnAxisX = turnAxisY = 0; }},
        {"a turn of no layer of the cube", [] { turnAnimating = true, turnAxisX = 1, turnLayer = 4; },
         [] { turnAnimating = false, turnAxisX = turnLayer = 0; }},
        {"a selection outside", [] { selectionActive = true, selectedColumn = 3; },
         [] { selectionActive = false, selectedColumn = 0; }},
        {"an unused game state", [] { gameState = 1; }, [] { gameState = STATE_MENU; }},
        {"an unknown cube size", [] { cubeSize = 5; }, [] { cubeSize = 3; }},
        {"a spin of a full turn", [] { viewAngleX = 360.0f; }, [] { viewAngleX = 0.0f; }},
        {"a long timer text", [] { std::strcpy(timeText, "1000:59:59.999"); }, [] { timeText[0] = '\0'; }},
        {"a matrix left pushed", [] { glPushMatrix(); }, [] { glPopMatrix(); }},
        {"a projection left pushed",
         [] { glMatrixMode(GL_PROJECTION), glPushMatrix(), glMatrixMode(GL_MODELVIEW); },
         [] { glMatrixMode(GL_PROJECTION), glPopMatrix(), glMatrixMode(GL_MODELVIEW); }},
        {"the projection left current", [] { glMatrixMode(GL_PROJECTION); }, [] { glMatrixMode(GL_MODELVIEW); }},
        {"attributes left pushed", [] { glPushAttrib(GL_LIST_BIT); }, [] { glPopAttrib(); }},
        {"a list base left set", [] { glListBase(7); }, [] { glListBase(0); }},
        {"a GL error", [] { glEnable(0x7FFF); }, [] {}},
    };
    for (const auto& c : cases) {
        c.breakIt();
        const char* why = brokenInvariant();
        EXPECT_NE(why, nullptr) << c.what << " went unnoticed";
        if (why)
            std::printf("%-40s -> %s\n", c.what, why);
        c.mend();
        ASSERT_EQ(brokenInvariant(), nullptr) << "after mending " << c.what;
    }
}
