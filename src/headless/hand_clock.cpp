#include "headless/headless.h"
#include "platform/platform.h"

static int clockNow = 0;

void setRunClock(int ms)
{
    clockNow = ms;
}

int platformRunClock()
{
    return clockNow;
}
