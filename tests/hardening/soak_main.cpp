// The long runs behind scripts/soak.sh: key fuzzing of whole frames for as
// many events as asked, then the view spin for as many frames as asked.
// Prints what it did; exits 1 when an invariant broke.
//
// usage: hardening_soak EVENTS SPIN_FRAMES [SEED]
#include "key_fuzz.h"

#include "play/play.h"
#include "platform/run_clock.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>

static double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

static bool fuzz(long events, uint64_t seed)
{
    // About 30 ms of run clock go by per event: start so that the clock
    // wraps past 2^31 ms halfway through.
    const long long halfway = events * 15LL;
    const int startMs = halfway < INT_MAX ? static_cast<int>(INT_MAX - halfway) : 0;
    fuzzStart(startMs);
    FuzzInput input = fuzzSeeded(seed);
    FuzzTally t = {};
    const auto start = std::chrono::steady_clock::now();
    const char* broken = fuzzRun(input, events, t);
    const double seconds = secondsSince(start);
    std::printf("key fuzz, seed %llu, clock %d -> %d ms: %ld events (%ld key downs, %ld key ups, %ld clock "
                "steps) in %ld frames, %.1f s (%.0f events/s)\n",
                static_cast<unsigned long long>(seed), startMs, runClock(), t.events, t.keyDowns, t.keyUps,
                t.clockSteps, t.frames, seconds, t.events / seconds);
    std::printf("  frames: %ld title, %ld play 3, %ld play 4, %ld winner; %ld with a turn under way, %ld turns "
                "ended; games started %ld (3) + %ld (4); %ld wins (%ld cubes set solved by the driver)\n",
                t.menuFrames, t.playFrames[3], t.playFrames[4], t.wonFrames, t.animatingFrames, t.turnsEnded,
                t.gamesStarted[3], t.gamesStarted[4], t.wins, t.testSolves);
    if (broken) {
        std::printf("  BROKEN after %ld events: %s\n", t.events, broken);
        return false;
    }
    return true;
}

static bool spin(long frames)
{
    viewAngleX = viewAngleY = 0.0f;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < frames; i++)
        spinView();
    const double seconds = secondsSince(start);
    int wraps = 0;
    bool moving = true;
    for (int i = 0; i < 72000; i++) {
        const float before = viewAngleY;
        spinView();
        wraps += viewAngleY < before;
        moving = moving && viewAngleY != before;
    }
    const bool inRange = viewAngleX >= 0.0f && viewAngleX < 360.0f && viewAngleY >= 0.0f && viewAngleY < 360.0f;
    std::printf("view spin: %ld frames in %.1f s; then (%.3f, %.3f) degrees, %d whole turns in 72000 more "
                "frames (10 due)%s\n",
                frames, seconds, static_cast<double>(viewAngleX), static_cast<double>(viewAngleY), wraps,
                moving ? "" : ", STOPPED");
    return inRange && moving && wraps >= 9 && wraps <= 11;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s EVENTS SPIN_FRAMES [SEED]\n", argv[0]);
        return 2;
    }
    const long events = std::atol(argv[1]);
    const long frames = std::atol(argv[2]);
    const uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    bool ok = true;
    if (events > 0)
        ok = fuzz(events, seed) && ok;
    if (frames > 0)
        ok = spin(frames) && ok;
    std::printf("%s\n", ok ? "soak: passed" : "soak: FAILED");
    return ok ? 0 : 1;
}
