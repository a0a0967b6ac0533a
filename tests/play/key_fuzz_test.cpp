// Key fuzzing of whole frames: seeded random keys going down and up, clock
// steps and stalls right across the clock's wrap, and frames of drawFrame,
// the invariants checked after each. tests/soak.sh runs
// the same tests longer (SOAK_EVENTS, SOAK_SPINS).
#include "support/test_game.h"

#include <algorithm>
#include <climits>
#include <random>

static long fromEnvironment(const char* name, long otherwise)
{
    return std::getenv(name) != nullptr ? std::atol(std::getenv(name)) : otherwise;
}

// What must hold after every frame, as a sentence; empty when it all does.
static std::string brokenInvariant()
{
    GLint depths[3];
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depths[0]);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depths[1]);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depths[2]);
    if (depths[0] != 1 || depths[1] != 1 || depths[2] != 0 || glGetError() != GL_NO_ERROR)
        return "a GL error, or a matrix or attributes left pushed";
    if (gameState != STATE_MENU && gameState != STATE_PLAYING && gameState != STATE_WON)
        return "no such state";
    if (selectionActive && std::max(selectedColumn, selectedRow) > cubeLast)
        return "a selection out of the cube";
    if ((turnAxisX != 0) + (turnAxisY != 0) != turnAnimating || turnAxisZ != 0)
        return "the turn's axes and its animation disagree";
    if (std::min(viewAngleX, viewAngleY) < 0 || std::max(viewAngleX, viewAngleY) >= 360)
        return "the view spin out of [0, 360)";
    return "";
}

// Frames ms apart on the run clock, and the first invariant they broke.
static std::string broken;
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
    runClock = INT_MAX - int(std::min(events * 15, long{INT_MAX}));
    resetGame(3, runClock);
    std::mt19937_64 rng(20240601);
    const auto pick = [&](size_t n) { return int(rng() % n); };
    const unsigned char gameKeys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_DELETE, 'W', 'X',
                                      'C',   'Q',     'S',     'D',      'A',       'Z', 'E',
                                      '1',   '2',     '3',     '4',      'R',       'F', 'V'};
    std::vector<int> held;
    int waited = 0;
    long winnerFrames = 0;
    for (long event = 0; event < events && broken.empty(); event++) {
        const int kind = pick(100);
        if (kind < 25) {
            // A game key goes down, now and then any code at all.
            held.push_back(kind < 3 ? pick(256) : gameKeys[pick(sizeof gameKeys)]);
            keys[held.back()] = true;
        } else if (kind < 60 && !held.empty()) {
            // A held key goes up, or down again as auto-repeat does.
            const int key = held[pick(held.size())];
            keys[key] = kind >= 52;
            if (kind < 52)
                held.erase(std::remove(held.begin(), held.end(), key), held.end());
        } else if (kind < 90) {
            // Mostly a frame's worth, now and then a stall of up to 8 s.
            const int r = pick(256);
            waited += r < 240 ? pick(50) : r < 252 ? 50 + pick(1024) : 1000 + pick(7200);
        } else if (kind < 99 || gameState != STATE_PLAYING) {
            winnerFrames += gameState == STATE_WON;
            frame(waited);
            waited = 0;
        } else if (pick(4) == 0) {
            // Random keys hardly ever solve a scramble.
            resetCubeSolved();
        }
    }
    ASSERT_EQ(broken, "") << "at run runClock " << runClock;
    EXPECT_LT(runClock, 0) << "the runClock's wrap";
    // It went everywhere, a winner screen after games and titles, or its silence proves little.
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
    EXPECT_GE(turnElapsed, 300) << "a turn across the wrap ends after 300 ms";
    EXPECT_LT(turnElapsed, 316);
    while (clockDifference(runClock, gameStartClock) < 3000)
        frame(16);
    EXPECT_EQ(std::string(timeText, 8), "0: 0: 3.") << "the timer across the wrap";
    EXPECT_NEAR(fpsValue, 62.5, 1) << "the frame rate across the wrap";
    // A float that only grew would have left [0, 360) or stopped moving.
    for (long i = fromEnvironment("SOAK_SPINS", 3000000); i > 0; i--)
        spinView();
    const float before = viewAngleY;
    spinView();
    EXPECT_NE(viewAngleY, before);
    EXPECT_EQ(broken + brokenInvariant(), "");
}
