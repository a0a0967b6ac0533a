#include "game_invariants.h"
#include "key_fuzz.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>

namespace {

int clockNow = 0;

// The next run-clock reading ms later, wrapping as the 32-bit clock does.
int advance(int ms)
{
    clockNow = static_cast<int>(static_cast<uint32_t>(clockNow) + static_cast<uint32_t>(ms));
    return clockNow;
}

// One frame 16 ms after the last; true when a turn ran out in it.
bool frame()
{
    setRunClockForTest(advance(16));
    const bool turning = turnAnimating;
    drawFrame();
    const char* broken = brokenInvariant();
    EXPECT_EQ(broken, nullptr) << "at " << clockNow << ": " << broken;
    return turning && !turnAnimating;
}

void startAt(int ms)
{
    fuzzStart(ms);
    clockNow = ms;
}

} // namespace

TEST(WrappedClock, DemoTurnsRunTheirSecondAndCommitAfterTheClockGoesNegative)
{
    // The 2000 ms cycle runs on through the wrap: one turn a cycle, begun in
    // its first 500 ms; two cycles before the wrap and three after.
    startAt(INT_MAX - 4000);
    int starts[2] = {}, ends = 0;
    uint32_t lastCycle = 0;
    for (int i = 0; i < 560; i++) {
        const bool was = turnAnimating;
        const bool ended = frame();
        if (!was && turnAnimating) {
            const uint32_t start = static_cast<uint32_t>(turnStartClock);
            EXPECT_LT(start % 2000, 500u) << "at " << clockNow;
            EXPECT_NE(start / 2000, lastCycle) << "a second turn in one cycle, at " << clockNow;
            lastCycle = start / 2000;
            starts[clockNow < 0]++;
        }
        if (!ended)
            continue;
        // Ended in the first frame at or past its 1000 ms.
        EXPECT_GE(turnElapsed, 1000.0) << "at " << clockNow;
        EXPECT_LT(turnElapsed, 1016.0) << "at " << clockNow;
        ends++;
    }
    EXPECT_EQ(starts[0], 2);
    EXPECT_EQ(starts[1], 3);
    EXPECT_EQ(ends, 4);
    EXPECT_EQ(gameState, STATE_MENU);
    EXPECT_LT(fpsSampleClock, 0) << "the frame rate is measured after the wrap too";
    EXPECT_NEAR(fpsValue, 62.5, 1.0);
}

TEST(WrappedClock, PlayTurnAcrossTheWrapCommitsAfter300msAndTheTimerCountsOn)
{
    startAt(INT_MAX - 2000);
    keys['1'] = true;
    frame();
    keys['1'] = false;
    ASSERT_EQ(gameState, STATE_PLAYING);
    const int started = gameStartClock;

    // Up with nothing selected turns the whole cube; it starts 40 ms before
    // the wrap.
    while (clockNow < INT_MAX - 56)
        frame();
    keys[VK_UP] = true;
    frame();
    ASSERT_TRUE(turnAnimating);
    const int turnStart = turnStartClock;
    ASSERT_GT(turnStart, INT_MAX - 50);
    int frames = 0;
    while (!frame()) {
        ASSERT_TRUE(turnAnimating);
        ASSERT_LT(turnElapsed, 300.0);
        ASSERT_LT(++frames, 30) << "the turn never ends";
    }
    EXPECT_LT(clockNow, 0);
    EXPECT_GE(turnElapsed, 300.0);
    EXPECT_LT(turnElapsed, 316.0);

    // The play time goes on from the same start across the wrap.
    while (static_cast<int>(static_cast<uint32_t>(clockNow) - static_cast<uint32_t>(started)) < 3000)
        frame();
    const uint32_t elapsed = static_cast<uint32_t>(clockNow) - static_cast<uint32_t>(started);
    char expected[32];
    formatPlayTime(expected, sizeof expected, static_cast<int>(elapsed));
    EXPECT_STREQ(timeText, expected);
    EXPECT_EQ(std::strncmp(timeText, "0: 0: 3.", 8), 0) << timeText;
    EXPECT_EQ(gameState, STATE_PLAYING);
}

// A game longer than the clock's half range reads its time as negative;
// whatever the two readings, the text stays inside its buffer.
TEST(WrappedClock, TimerTextStaysInItsBufferForAnyPairOfReadings)
{
    startAt(0);
    const int readings[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    for (int start : readings)
        for (int now : readings) {
            gameStartClock = start;
            frameClock = now;
            std::memset(timeText, 'x', sizeof timeText);
            drawTimer(true);
            EXPECT_NE(std::memchr(timeText, '\0', sizeof timeText), nullptr) << start << " " << now;
        }
}
