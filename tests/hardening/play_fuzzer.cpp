// libFuzzer over the key-fuzzing driver: each input's bytes are the events
// (key downs and ups, clock steps, frames) of one session from a fresh title
// screen. A broken invariant aborts with its reason, which libFuzzer keeps
// as a crash. Games started on the title screen reseed from the calendar
// time, so a replayed input scrambles its games alike only within a second.
#include "key_fuzz.h"

#include <cstdio>
#include <cstdlib>

static FuzzTally total = {};

static void printTotal()
{
    std::fprintf(stderr,
                 "play_fuzzer: %ld events (%ld key downs, %ld key ups, %ld clock steps) in %ld frames: %ld title, "
                 "%ld play 3, %ld play 4, %ld winner; %ld turns ended, %ld wins\n",
                 total.events, total.keyDowns, total.keyUps, total.clockSteps, total.frames, total.menuFrames,
                 total.playFrames[3], total.playFrames[4], total.wonFrames, total.turnsEnded, total.wins);
}

// The context, fonts and baseline once, before any input: what they
// allocate for good is not the inputs' doing.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzStart(0);
    std::atexit(printTotal);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A fifth of inputs start just before the clock's wrap.
    const int startMs = size > 0 && data[0] % 5 == 0 ? 2147483647 - 3000 : 0;
    fuzzStart(startMs);
    FuzzInput input = fuzzBytes(data, size);
    if (const char* broken = fuzzRun(input, 1000000, total)) {
        std::fprintf(stderr, "broken invariant: %s\n", broken);
        std::abort();
    }
    return 0;
}
