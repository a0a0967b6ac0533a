// Whole-frame key fuzzing: a stream of bytes becomes key downs and ups
// (through windowProc, as the window delivers them), run-clock steps and
// frames of drawFrame on the software context, with every invariant checked
// after every frame. The seeded tests, the long-run program and the
// libFuzzer target all drive the game through here.
#pragma once

#include <cstddef>
#include <cstdint>

// What a run did. Events are the key messages and clock steps delivered;
// frames are counted apart, since several events go into one frame.
struct FuzzTally {
    long events;
    long keyDowns;
    long keyUps;
    long clockSteps;
    long frames;
    long menuFrames;
    long playFrames[5];  // by cube size, 3 and 4
    long wonFrames;
    long animatingFrames;  // frames that ended with a turn under way
    long turnsEnded;       // turns that ran out in a frame
    long gamesStarted[5];  // by cube size
    long wins;
    long testSolves;  // cubes set solved by the driver, in play
};

// Where the bytes come from: a buffer, then (if set) a seeded generator.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
    size_t position;
    bool seeded;
    uint64_t state;
};

FuzzInput fuzzBytes(const uint8_t* data, size_t size);
FuzzInput fuzzSeeded(uint64_t seed);

// The software context with the game set up, the invariant baseline taken,
// then a fresh title screen on a 3-cube at run clock startMs: no key down,
// no timer text, the frame counter as at the start of a run.
void fuzzStart(int startMs);

// Runs events until maxEvents have been delivered or the bytes run out.
// Returns the first broken invariant (see game_invariants.h), or nullptr;
// tally adds up what happened.
const char* fuzzRun(FuzzInput& input, long maxEvents, FuzzTally& tally);
