// Whole-frame key fuzzing: seeded random key downs and ups through windowProc,
// run-clock steps wrapping past 2^31 ms as the real clock does, and frames of
// drawFrame on the software context, every invariant checked after every
// frame; demo and play turns across the clock's wrap. tests/soak.sh runs the
// same tests longer: SOAK_EVENTS fuzzed events a run, SOAK_SPINS spin frames.
#include "support/test_game.h"

#include "app/app.h"

#include <random>

#define BROKEN_IF(condition, ...)                                                                            \
    if (condition)                                                                                           \
    return std::snprintf(message, sizeof message, __VA_ARGS__), message

namespace {
char message[200];
const GLenum GL_STATE[5] = {GL_MODELVIEW_STACK_DEPTH, GL_PROJECTION_STACK_DEPTH, GL_MATRIX_MODE,
                            GL_ATTRIB_STACK_DEPTH, GL_LIST_BASE};
GLint glBefore[5];
std::vector<int> solvedCubies[5];  // by size

// Each cubie as its outer stickers say, wherever turns take it: their count,
// then their colours, a corner's in one handedness from the smallest (a
// mirrored twist matches no solved corner); sorted. A coloured inner side
// makes a cubie no solved one has.
std::vector<int> cubies()
{
    std::vector<int> out;
    for (int i = 0; i < cubeSize * cubeSize * cubeSize; i++) {
        const int c[3] = {i / cubeSize / cubeSize, i / cubeSize % cubeSize, i % cubeSize};
        int colours[3] = {}, n = 0, hand = 1, inner = 0;
        for (int f = 0; f < 6; f++) {
            const int code = cubeLive[c[0]][c[1]][c[2]][f], outer = c[f / 2] == (f % 2 ? cubeLast : 0);
            if (outer)
                colours[n++] = code, hand *= f % 2 ? 1 : -1;
            else
                inner |= code;
        }
        if (n == 3 && hand < 0)
            std::swap(colours[1], colours[2]);
        n == 3 ? void(std::rotate(colours, std::min_element(colours, colours + 3), colours + 3))
               : std::sort(colours, colours + n);
        out.push_back(inner ? -1 : ((n * 100 + colours[0]) * 100 + colours[1]) * 100 + colours[2]);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// What must hold after every frame, as a sentence, or nullptr.
const char* brokenInvariant()
{
    GLint now[5];
    for (int i = 0; i < 5; i++)
        glGetIntegerv(GL_STATE[i], &now[i]);
    BROKEN_IF(const GLenum error = glGetError(), "GL error 0x%x", error);
    for (int i = 0; i < 5; i++)
        BROKEN_IF(now[i] != glBefore[i], "GL state 0x%x is %d, was %d", GL_STATE[i], now[i], glBefore[i]);
    BROKEN_IF(gameState != STATE_MENU && gameState != STATE_PLAYING && gameState != STATE_WON, "state %d",
              gameState);
    BROKEN_IF(selectionActive
                  && std::max(unsigned(selectedColumn), unsigned(selectedRow)) > unsigned(cubeLast),
              "selection (%d,%d)", selectedColumn, selectedRow);
    BROKEN_IF(std::abs(turnAxisX) + std::abs(turnAxisY) + 2 * std::abs(turnAxisZ) != turnAnimating,
              "turning %d about (%d,%d,%d)", turnAnimating, turnAxisX, turnAxisY, turnAxisZ);
    BROKEN_IF(!(std::min(viewAngleX, viewAngleY) >= 0 && std::max(viewAngleX, viewAngleY) < 360),
              "view spin (%g, %g)", viewAngleX, viewAngleY);
    // 596:31:23.647 is the longest play time a run clock reaches.
    BROKEN_IF(!std::memchr(timeText, '\0', 14), "timer text over 13 characters");
    BROKEN_IF(cubies() != solvedCubies[cubeSize], "the cubies are no arrangement of the solved %d-cube's",
              cubeSize);
    return nullptr;
}

const int ARROWS[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
const char LETTERS[] = "WXCQSDAZE1234RFV12";
std::mt19937_64 rng;
std::vector<int> held;  // keys the fuzzer holds down
int clockNow = 0;
const char* broken;  // the first invariant broken since start()
struct Tally {
    long events, screens[4], turnsEnded;
} tally;  // screens: title, play 3, play 4, winner

int pick(size_t n)
{
    return static_cast<int>(rng() % n);
}
void advance(int ms)
{
    setRunClock(clockNow = static_cast<int>(static_cast<uint32_t>(clockNow) + ms));
}

// One frame ms after the last; true when a turn ran out in it.
bool frame(int ms)
{
    advance(ms);
    const bool turning = turnAnimating;
    tally.screens[gameState == STATE_MENU || keys[VK_DELETE] ? 0
                      : gameState == STATE_PLAYING           ? cubeSize - 2
                                                             : 3]++;
    drawFrame();
    if (!broken)
        broken = brokenInvariant();
    return turning && !turnAnimating;
}

// A fresh title screen on a 3-cube at run clock ms, as a program started then has it.
void start(int ms)
{
    useGameGraphics();
    if (solvedCubies[3].empty()) {  // the solved cubes and GL as before any frame
        for (int n = 3; n <= 4; n++)
            resetGame(n), solvedCubies[n] = cubies();
        for (int i = 0; i < 5; i++)
            glGetIntegerv(GL_STATE[i], &glBefore[i]);
    }
    resetGame(3, clockNow = ms);
    timeText[0] = '\0', fpsValue = 0, fpsFrameCount = 0, fpsSampleClock = ms;
    held.clear(), tally = {}, broken = nullptr;
}

long fromEnvironment(const char* name, long otherwise)
{
    return std::getenv(name) ? std::atol(std::getenv(name)) : otherwise;
}

// Each run its own test: 10^4 events take half a minute on a busy machine.
// About 30 ms of run clock go by an event: a run that starts wrapping does so halfway.
void fuzzTest(uint64_t seed, bool wrapping)
{
    const long events = fromEnvironment("SOAK_EVENTS", 10000);
    const int ms = wrapping ? INT_MAX - static_cast<int>(std::min(events * 15, long{INT_MAX})) : 0;
    start(ms);
    rng.seed(seed);
    while (!broken && tally.events < events) {
        const int kind = pick(100), r = pick(256),
                  game = !pick(32) ? VK_DELETE
            : pick(2)              ? ARROWS[pick(4)]
                                   : LETTERS[pick(18)];
        const int heldKey = held.empty() ? game : held[pick(held.size())];
        tally.events += kind < 94;
        // Held keys go up, or down again as auto-repeat; any code now and then.
        if (kind < 66) {
            const bool down = kind < 25 || (kind >= 55 && kind < 63);
            const int code = kind < 25 ? game : kind < 60 ? heldKey : r;
            windowProc(nullptr, down ? WM_KEYDOWN : WM_KEYUP, static_cast<uintptr_t>(code), 0);
            held.erase(std::remove(held.begin(), held.end(), code), held.end());
            if (down)
                held.push_back(code);
        }
        // Mostly a frame's worth, now and then no time or a stall of up to 8 s.
        else if (kind < 94)
            advance(r < 64 ? 0 : r < 240 ? 1 + pick(50) : r < 252 ? 50 + pick(1024) : 1000 + pick(7200));
        else if (gameState == STATE_PLAYING && r < 4)
            resetCubeSolved();  // random keys hardly ever solve a scramble
        for (int i = kind < 94 ? 0 : r % 4 ? 1 : 2 + pick(4); i > 0 && !broken; i--)
            tally.turnsEnded += frame(0);
    }
    std::printf("clock %d -> %d ms: %ld events; frames: %ld title, %ld play 3, %ld play 4, %ld winner; %ld "
                "turns ended; %s\n",
                ms, clockNow, tally.events, tally.screens[0], tally.screens[1], tally.screens[2],
                tally.screens[3], tally.turnsEnded, broken ? broken : "all invariants held");
    ASSERT_TRUE(!broken && (clockNow < 0) == (ms != 0)) << broken << ", clock " << clockNow;
    // It went everywhere, or its silence proves little.
    EXPECT_TRUE(tally.screens[0] > 50 && tally.screens[1] > 50 && tally.screens[2] > 50
                && tally.screens[3] > 10 && tally.turnsEnded > 30);
}
}  // namespace

TEST(KeyFuzz, FromTheClocksStartEveryInvariantHoldsOnEveryScreen)
{
    fuzzTest(20240601, false);
}
TEST(KeyFuzz, AcrossTheClocksWrapEveryInvariantHolds)
{
    fuzzTest(77031, true);
}

TEST(LongRuns, PlayTurnsAfter300msAndTheTimerAndFrameRateAcrossItsWrapAndTheViewSpinAfterMillionsOfFrames)
{
    start(INT_MAX - 2000);
    // A play turn across the wrap commits after 300 ms; the timer and the frame rate count on.
    keys['1'] = true, frame(16), keys['1'] = false;
    const uint32_t began = gameStartClock;
    while (clockNow < INT_MAX - 56)
        frame(16);
    keys[VK_UP] = true, frame(16);  // nothing selected: the whole cube, 40 ms before the wrap
    ASSERT_TRUE(gameState == STATE_PLAYING && turnAnimating && turnStartClock > INT_MAX - 50);
    for (int frames = 0; !frame(16); frames++)
        ASSERT_TRUE(turnAnimating && turnElapsed < 300 && frames < 30) << turnElapsed;
    EXPECT_TRUE(clockNow < 0 && turnElapsed >= 300 && turnElapsed < 316) << turnElapsed;
    while (static_cast<uint32_t>(clockNow) - began < 3000)
        frame(16);
    EXPECT_TRUE(!broken && gameState == STATE_PLAYING && std::strncmp(timeText, "0: 0: 3.", 8) == 0)
        << timeText;
    EXPECT_TRUE(fpsSampleClock < 0 && std::abs(fpsValue - 62.5) < 1) << fpsValue;
    // The view spin, long after a float that only grew would have left [0, 360) or stopped.
    for (long i = fromEnvironment("SOAK_SPINS", 3000000); i > 0; i--)
        spinView();
    const float before = viewAngleY;
    spinView();
    EXPECT_TRUE(viewAngleY != before && std::min(viewAngleX, viewAngleY) >= 0
                && std::max(viewAngleX, viewAngleY) < 360)
        << viewAngleY;
}
