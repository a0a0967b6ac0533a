// The FreeType glyph lists: every code of two of the game's fonts, in rows of
// 32 called as printText calls them, against a reference picture
// (tests/freetype/glyphs.png): Windows-1252 letters and signs, control and
// undefined codes empty, advances, baselines, italics.
#include "support/test_game.h"

TEST(GlyphLists, EveryCodeOfTheCreditAndCounterFontsLooksAsItsPicture)
{
    useGameGraphics();
    // Built again over the GL default alignment, which the builder must leave as it found it.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    buildFonts();
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
    EXPECT_EQ(glGetError(), GLenum{GL_NO_ERROR});
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 0, 600, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    unsigned char codes[255];
    for (int c = 0; c < 255; c++)
        codes[c] = static_cast<unsigned char>(c);
    for (int row = 0; row < 8; row++) {
        const int count = row < 7 ? 32 : 31;
        glRasterPos2i(8, 560 - 32 * row);
        glListBase(fontCredit);
        glCallLists(count, GL_UNSIGNED_BYTE, codes + 32 * row);
        glRasterPos2i(420, 560 - 32 * row);
        glListBase(fontFps);
        glCallLists(count, GL_UNSIGNED_BYTE, codes + 32 * row);
    }
    glListBase(0);
    expectPicture("freetype/glyphs");
    // The game's own projection back for the tests after this one.
    resizeViewport(800, 600);
}
