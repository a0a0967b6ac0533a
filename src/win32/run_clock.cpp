// The run clock, on the performance counter.
// Supports: whole milliseconds from the program's start (its static
// initialisation), cut to 32 bits so that it wraps past 2^31 ms.
#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

static LONGLONG counterNow()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

static const LONGLONG programStart = counterNow();

int platformRunClock()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const LONGLONG ticks = counterNow() - programStart;
    // Whole seconds and the rest apart, so that the product cannot overflow.
    const LONGLONG ms =
        ticks / frequency.QuadPart * 1000 + ticks % frequency.QuadPart * 1000 / frequency.QuadPart;
    return static_cast<int>(static_cast<uint32_t>(ms));
}
