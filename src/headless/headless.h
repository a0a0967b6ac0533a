// The backend of the programs that draw without a window: the tests, the
// benchmarks and the icon maker. A software GL context (Mesa's OSMesa) to
// draw in and read back, and a run clock that moves only when told to.
#pragma once

#include <GL/osmesa.h>

// A new RGBA context with a 16-bit depth buffer, made current on pixels
// (width x height, 4 bytes a pixel, the first row at the bottom); null when
// Mesa cannot make one.
OSMesaContext makeSoftwareContext(unsigned char* pixels, int width, int height);
// What platformRunClock returns from now on (0 until the first call).
void setRunClock(int ms);
