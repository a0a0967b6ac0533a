// The run clock.
// Supports: SDL's millisecond ticks, counted from the program's start (its
// static initialisation), cut to 32 bits so that it wraps as Windows' does.
#include "sdl/sdl_backend.h"

static const Uint64 programStart = SDL_GetTicks64();

int platformRunClock()
{
    return static_cast<int>(static_cast<Uint32>(SDL_GetTicks64() - programStart));
}
