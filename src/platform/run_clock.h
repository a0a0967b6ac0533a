// The run clock: whole milliseconds of wall time since the program started.
#pragma once

// Read by the frame driver once per frame and by requestTurn and the turn
// clock afresh. Monotonic; wraps past 2^31 ms like the 32-bit value it is.
int runClock();
// Tests drive time by hand: after this, runClock() returns ms until the next
// call (no sleeping in tests).
void setRunClockForTest(int ms);
// Back to the real clock.
void useRealRunClock();
