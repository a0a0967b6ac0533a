// Key fuzzing of whole frames: seeded random keys going down and up, clock
// steps and stalls right across the clock's wrap, and frames of drawFrame,
// the invariants checked after each. tests/soak.sh runs them again and again
// (SOAK_SEED, SOAK_EVENTS, SOAK_SPINS).
#include "support/test_game.h"

#include <climits>
#include <random>

using namespace std;

static long fromEnvironment(const char* name, long otherwise)
{
    return getenv(name) != nullptr ? atol(getenv(name)) : otherwise;
}

// What must hold after every frame, as a sentence; empty when it all does.
static string brokenInvariant()
{
    GLint depths[3];
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths[0]);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depths[1]);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depths[2]);
    if (depths[0] + depths[1] + depths[2] != 2 || glGetError() != GL_NO_ERROR)
        return "a GL error or a push left";
    if (gameState != STATE_MENU && gameState != STATE_PLAYING && gameState != STATE_WON)
        return "no such state";
    if (selectionActive && max(selectedColumn, selectedRow) > cubeLast)
        return "a selection out of the cube";
    if ((turnAxisX != 0) + (turnAxisY != 0) != turnAnimating)
        return "turn axes unlike the animation";
    if (min(viewAngleX, viewAngleY) < 0 || max(viewAngleX, viewAngleY) >= 360)
        return "the view spin out of [0, 360)";
    return "";
}

// Frames ms apart on the run clock, and the first invariant they broke.
static string broken;
static int runClock;

static void frame(int ms)
{
    runClock = int(unsigned(runClock) + unsigned(ms));
    frameAt(runClock);
    broken = broken.empty() ? brokenInvariant() : broken;
}

TEST(KeyFuzz, EveryInvariantHoldsOnEveryScreenRightAcrossTheClocksWrap)
{
    // About 30 ms go by an event: the clock wraps halfway.
    const long events = fromEnvironment("SOAK_EVENTS", 20000);
    useGameGraphics();
    runClock = INT_MAX - int(min(events * 15, long{INT_MAX}));
    resetGame(3, runClock);
    mt19937 rng(fromEnvironment("SOAK_SEED", 20240601));
    string gameKeys = "WXCVQSDFAZER1234";
    gameKeys += {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_DELETE};
    long winnerFrames = 0;
    unsigned waited = 0;
    for (long event = 0; event < events && broken.empty(); event++) {
        const unsigned r = rng();
        const unsigned kind = r % 100;
        if (kind < 40) {
            // A game key goes down or up; now and then any code at all.
            keys[kind == 0 ? r / 128 % 256 : gameKeys[r / 128 % gameKeys.size()]] = kind % 3 == 0;
        } else if (kind < 90) {
            // Mostly a frame's worth of time, now and then a stall of up to 8 s.
            waited += r / 128 % 64 == 0 ? r / 8192 % 8000 : r / 128 % 50;
        } else if (kind < 99 || gameState != STATE_PLAYING) {
            frame(int(waited));
            waited = 0;
            winnerFrames += gameState == STATE_WON;
        } else if (r / 128 % 4 == 0) {
            // Random keys hardly ever solve a scramble.
            resetCubeSolved();
        }
    }
    ASSERT_EQ(broken, "") << "at run clock " << runClock;
    // Past the clock's wrap.
    EXPECT_LT(runClock, 0);
    // A winner screen comes after games and titles, or the fuzzing proves little.
    EXPECT_GT(winnerFrames, 50);
}

TEST(LongRuns, ATurnTheTimerAndTheFrameRateAcrossTheClocksWrapAndTheSpinAfterMillionsOfFrames)
{
    useGameGraphics();
    runClock = INT_MAX - 2000;
    resetGame(3, runClock);
    keys['1'] = true;
    frame(16);
    keys['1'] = false;
    while (runClock < INT_MAX - 56)
        frame(16);
    // Nothing selected: the whole cube, 40 ms before the wrap.
    keys[VK_UP] = true;
    while (turnAxisX != 0 || keys[VK_UP])
        frame(16);
    // A turn across the wrap ends after 300 ms.
    EXPECT_GE(turnElapsed, 300);
    EXPECT_LT(turnElapsed, 316);
    while (clockDifference(runClock, gameStartClock) < 3000)
        frame(16);
    // The timer and the frame rate measured across the wrap.
    EXPECT_EQ(string(timeText, 8), "0: 0: 3.");
    EXPECT_LT(fpsSampleClock, 0);
    EXPECT_NEAR(fpsValue, 62.5, 1);
    // A float that only grew would have left [0, 360) or stopped moving.
    for (long i = fromEnvironment("SOAK_SPINS", 3000000); i > 0; i--)
        spinView();
    const float before = viewAngleY;
    spinView();
    EXPECT_NE(viewAngleY, before);
    // Past 360 the spin carries on from where the step ends, not from 0.
    viewAngleY = 359.98f;
    spinView();
    EXPECT_NEAR(viewAngleY, 0.03f, 0.001f);
    EXPECT_EQ(broken + brokenInvariant(), "");
}
