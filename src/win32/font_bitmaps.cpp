// Glyph display lists from GDI fonts, on GDI and WGL.
// Supports: TrueType fonts by face name through CreateFontA, bitmap lists
// from wglUseFontBitmapsA for the selected font. Does not: outline glyphs
// (wglUseFontOutlines) or character sets other than ANSI.
#include <windows.h>

#include <GL/gl.h>

#include "platform/platform.h"

PlatformHandle platformCreateFont(int height, int weight, bool italic, const char* face)
{
    return CreateFontA(height, 0, 0, 0, weight, italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, 0, face);
}

PlatformHandle platformSelectObject(PlatformHandle dc, PlatformHandle object)
{
    return SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(object));
}

// Wine builds a blank glyph as glBitmap with a NULL image, which Mesa leaves
// out of the list, so the space would not advance. A list with an empty
// one-pixel image and the font's own advance draws the same on Windows.
static void rebuildSpaceGlyph(HDC dc, unsigned list)
{
    GLYPHMETRICS metrics = {};
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (GetGlyphOutlineA(dc, ' ', GGO_METRICS, &metrics, 0, nullptr, &identity) == GDI_ERROR)
        return;
    static const GLubyte emptyRow[4] = {};
    glNewList(list, GL_COMPILE);
    glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(metrics.gmCellIncX),
             static_cast<GLfloat>(metrics.gmCellIncY), emptyRow);
    glEndList();
}

bool platformUseFontBitmaps(PlatformHandle dc, unsigned first, unsigned count, unsigned listBase)
{
    HDC deviceContext = static_cast<HDC>(dc);
    if (!wglUseFontBitmapsA(deviceContext, first, count, listBase))
        return false;
    if (first <= ' ' && ' ' < first + count)
        rebuildSpaceGlyph(deviceContext, listBase + (' ' - first));
    return true;
}

bool platformDeleteObject(PlatformHandle object)
{
    return DeleteObject(static_cast<HGDIOBJ>(object)) != FALSE;
}
