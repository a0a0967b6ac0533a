#include "platform/run_clock.h"

#include <chrono>
#include <cstdint>

static const std::chrono::steady_clock::time_point startTime = std::chrono::steady_clock::now();
static bool clockSetByTest = false;
static int testClock = 0;

int runClock()
{
    if (clockSetByTest)
        return testClock;
    const auto elapsed = std::chrono::steady_clock::now() - startTime;
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    // A 32-bit millisecond count wraps after 24.8 days, as on the home platform.
    return static_cast<int>(static_cast<uint32_t>(ms));
}

void setRunClockForTest(int ms)
{
    clockSetByTest = true;
    testClock = ms;
}

void useRealRunClock()
{
    clockSetByTest = false;
}
