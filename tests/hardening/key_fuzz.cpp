#include "key_fuzz.h"

#include "game_invariants.h"
#include "support/test_game.h"

#include "cube/cube.h"
#include "cube/game_state.h"
#include "platform/app.h"
#include "platform/input.h"
#include "platform/run_clock.h"
#include "platform/winapi_names.h"
#include "play/play.h"
#include "render/render.h"

namespace {

// The keys the game reads, arrows weighted up since they move the cube; the
// digits 1 and 2 once more for the title screen. Delete has a rarer slot of
// its own: held, it keeps every frame on the title screen.
const int GAME_KEYS[] = {
    VK_UP, VK_UP, VK_UP, VK_UP, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
    VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT,
    'W', 'X', 'C', 'Q', 'S', 'D', 'A', 'Z', 'E',
    '1', '2', '3', '4', 'R', 'F', 'V', '1', '2',
};
const int GAME_KEY_COUNT = sizeof GAME_KEYS / sizeof GAME_KEYS[0];

// Keys the fuzzer holds down, whatever the game did with their entries.
bool down[256];
int held[256];
int heldCount = 0;
int clockNow = 0;

int nextByte(FuzzInput& in)
{
    if (in.position < in.size)
        return in.data[in.position++];
    if (!in.seeded)
        return -1;
    // splitmix64: a whole stream from one seed.
    in.state += 0x9E3779B97F4A7C15ull;
    uint64_t z = in.state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<int>((z ^ (z >> 31)) & 0xFF);
}

// A missing byte reads as 0, so the last record of a short input still runs.
int argument(FuzzInput& in)
{
    const int b = nextByte(in);
    return b < 0 ? 0 : b;
}

void keyDown(int code, FuzzTally& tally)
{
    windowProc(nullptr, WM_KEYDOWN, static_cast<uintptr_t>(code), 0);
    if (!down[code]) {
        down[code] = true;
        held[heldCount++] = code;
    }
    tally.keyDowns++;
    tally.events++;
}

void keyUp(int code, FuzzTally& tally)
{
    windowProc(nullptr, WM_KEYUP, static_cast<uintptr_t>(code), 0);
    if (down[code]) {
        down[code] = false;
        for (int i = 0; i < heldCount; i++)
            if (held[i] == code) {
                held[i] = held[--heldCount];
                break;
            }
    }
    tally.keyUps++;
    tally.events++;
}

int gameKey(int b)
{
    return GAME_KEYS[b % GAME_KEY_COUNT];
}

// Mostly a frame's worth, now and then the same time again (several frames
// in one millisecond) or a long stall of up to 8 s.
int clockStep(int kind, int amount)
{
    if (kind < 64)
        return 0;
    if (kind < 240)
        return 1 + amount % 50;
    if (kind < 252)
        return 50 + amount * 4;
    return 1000 + amount * 28;
}

const char* frame(FuzzTally& tally)
{
    const int before = gameState;
    const bool titleBranch = before == STATE_MENU || keys[VK_DELETE];
    const int sizeBefore = cubeSize;
    const bool turning = turnAnimating;

    drawFrame();

    tally.frames++;
    if (titleBranch)
        tally.menuFrames++;
    else if (before == STATE_PLAYING)
        tally.playFrames[sizeBefore]++;
    else
        tally.wonFrames++;
    const bool started = titleBranch && gameState == STATE_PLAYING;
    if (started)
        tally.gamesStarted[cubeSize]++;
    if (!titleBranch && before == STATE_PLAYING && gameState == STATE_WON)
        tally.wins++;
    if (turning && !turnAnimating && !started)
        tally.turnsEnded++;
    if (turnAnimating)
        tally.animatingFrames++;
    return brokenInvariant();
}

} // namespace

FuzzInput fuzzBytes(const uint8_t* data, size_t size)
{
    return FuzzInput{data, size, 0, false, 0};
}

FuzzInput fuzzSeeded(uint64_t seed)
{
    return FuzzInput{nullptr, 0, 0, true, seed};
}

void fuzzStart(int startMs)
{
    static bool baselineTaken = false;
    useGameGraphics();
    if (!baselineTaken) {
        recordInvariantBaseline();
        baselineTaken = true;
    }
    resetGame(3, startMs);
    // The texts and frame counter as a program started at startMs has them.
    timeText[0] = '\0';
    fpsValue = 0.0f;
    fpsFrameCount = 0;
    fpsSampleClock = startMs;
    for (bool& d : down)
        d = false;
    heldCount = 0;
    clockNow = startMs;
}

const char* fuzzRun(FuzzInput& in, long maxEvents, FuzzTally& tally)
{
    while (tally.events < maxEvents) {
        const int kind = nextByte(in);
        if (kind < 0)
            return nullptr;
        const int b = argument(in);
        if (kind < 64) {
            keyDown(b >= 250 ? VK_DELETE : gameKey(b), tally);
        } else if (kind < 144) {
            keyUp(heldCount > 0 ? held[b % heldCount] : gameKey(b), tally);
        } else if (kind < 160) {
            // Auto-repeat: another key-down while the key is held.
            keyDown(heldCount > 0 ? held[b % heldCount] : gameKey(b), tally);
        } else if (kind < 172) {
            keyDown(b, tally);
        } else if (kind < 180) {
            keyUp(b, tally);
        } else if (kind < 240) {
            // Wraps past 2^31 ms as the real clock does.
            clockNow = static_cast<int>(static_cast<uint32_t>(clockNow) + static_cast<uint32_t>(clockStep(b, argument(in))));
            setRunClockForTest(clockNow);
            tally.clockSteps++;
            tally.events++;
        } else {
            if (kind == 255 && b < 64 && gameState == STATE_PLAYING) {
                // The driver's own way to the winner screen: random keys
                // hardly ever solve a scrambled cube.
                resetCubeSolved();
                tally.testSolves++;
            }
            // Now and then a burst of frames at one clock reading.
            const int count = b < 192 ? 1 : 2 + (b & 3);
            for (int i = 0; i < count; i++)
                if (const char* why = frame(tally))
                    return why;
        }
    }
    return nullptr;
}
