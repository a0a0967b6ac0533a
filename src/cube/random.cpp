#include "cube/cube.h"

#include <ctime>

// Our own 0..32767 linear congruential generator, so every platform draws the
// same sequence. Its state before any seeding equals a seed of 1.
static uint32_t randomState = 1;

void seedRandom(uint32_t seed)
{
    randomState = seed;
}

void seedRandomFromTime()
{
    seedRandom(static_cast<uint32_t>(std::time(nullptr)));
}

static int drawRandom()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFF);
}

int randomInt(int lo, int hi)
{
    const int r = drawRandom();
    return lo + r * (hi - lo + 1) / 32768;
}
