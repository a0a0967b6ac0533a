// Bitmap glyph lists from a system font: the GDI font calls buildFonts needs.
// Implemented by the FreeType builder on Linux and by GDI/WGL on Windows.
#pragma once

#include "platform/platform.h"

// CreateFontA(height, 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET,
// OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, 0, face).
// A positive height is the cell height, a negative one the em height.
PlatformHandle platformCreateFont(int height, int weight, bool italic, const char* face);
// SelectObject(dc, font): returns the object selected before.
PlatformHandle platformSelectObject(PlatformHandle dc, PlatformHandle object);
// wglUseFontBitmapsA(dc, first, count, listBase) with the selected font:
// list listBase + i draws the glyph of code first + i (Windows-1252) with
// glBitmap and advances by its width.
bool platformUseFontBitmaps(PlatformHandle dc, unsigned first, unsigned count, unsigned listBase);
// DeleteObject.
bool platformDeleteObject(PlatformHandle object);
