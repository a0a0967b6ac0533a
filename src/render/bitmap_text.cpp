#include "render/render.h"

#include "platform/handles.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>

FontId fontTitle = 0;
FontId fontCredit = 0;
FontId fontMenu = 0;
FontId fontTimer = 0;
FontId fontFps = 0;

void buildFont(const FontId& base, const PlatformHandle& font)
{
    PlatformHandle previous = platformSelectObject(hDC, font);
    platformUseFontBitmaps(hDC, 0, 255, base);
    platformSelectObject(hDC, previous);
    platformDeleteObject(font);
}

static void makeFont(FontId& id, int height, int weight, bool italic, const char* face)
{
    id = glGenLists(255);
    PlatformHandle font = platformCreateFont(height, weight, italic, face);
    buildFont(id, font);
}

void buildFonts()
{
    makeFont(fontTitle, 100, 700, false, "Comic sans ms");
    makeFont(fontCredit, 20, 500, true, "Courier New");
    makeFont(fontMenu, 50, 700, false, "Courier New");
    makeFont(fontTimer, 25, 700, false, "Courier New");
    makeFont(fontFps, -12, 500, false, "Times New Roman");
}

void printText(const FontId& font, float red, float green, float blue, int x, int y, const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    // Bounded: a longer text is cut short at the buffer's end.
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0)
        text[0] = '\0';

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, screenWidth, 0, screenHeight);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The raster position takes the current colour when it is set.
    glColor3f(red, green, blue);
    glRasterPos2i(x, y);
    glPushAttrib(GL_LIST_BIT);
    glListBase(font);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
