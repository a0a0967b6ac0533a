// A real software GL context (OSMesa) for tests, 800 x 600, RGBA.
#pragma once

struct Rgb {
    int r, g, b;
};

// Creates the context once and makes it current; later calls only make it
// current again. Sets the unpack alignment glyph bitmaps need.
void useTestGLContext();
// The pixel at window coordinates (x, y), origin lower left.
Rgb readPixel(int x, int y);
// Reads the whole 800 x 600 colour buffer into rgb (3 bytes a pixel, rows
// bottom to top).
void readFrame(unsigned char* rgb);
// Writes the colour buffer as a binary PPM, for looking at a failure.
void saveFramePpm(const char* path);
