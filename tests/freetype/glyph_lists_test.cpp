#include "freetype/freetype_fonts.h"
#include "support/test_game.h"

#include <algorithm>

static const int W = 800, H = 600, X0 = 100, Y0 = 200;

// One list called at (X0, Y0): the raster move and the lit pixels' extent.
// A fingerprint: the sums of the lit pixels' indices and rows.
struct Glyph {
    float advance, rise;
    int count = 0, minX = W, maxX = -1, minY = H, maxY = -1;
    long where = 0, rows = 0;
};

static Glyph drawGlyph(FontId base, unsigned code)
{
    static unsigned char rgb[W * H * 3];
    GLfloat raster[4] = {};
    glClear(GL_COLOR_BUFFER_BIT), glRasterPos2i(X0, Y0), glCallList(base + code),
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    readFrame(rgb);
    Glyph g{raster[0] - X0, raster[1] - Y0};
    for (int i = 0; i < W * H; i++)
        if (rgb[i * 3] > 127)
            g.count++, g.minX = std::min(g.minX, i % W), g.maxX = std::max(g.maxX, i % W),
                       g.minY = std::min(g.minY, i / W), g.maxY = i / W, g.where += i, g.rows += i / W;
    return g;
}

// Pixels as window coordinates, white, GL's default unpack alignment as in the game.
TEST(FreetypeFonts, GameFontsAreTheirRequestsTallAsTheFilesSayOnTheBaselineWithWindows1252)
{
    useTestGLContext();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(0, W, 0, H, -1, 1);
    glMatrixMode(GL_MODELVIEW), glLoadIdentity(), glColor3f(1, 1, 1);
    buildFonts();
    // The H heights are the font files' own (Debian 12's), read with fontTools, not FreeType: the outline's
    // extent of H scaled by the OS/2 usWinAscent + usWinDescent for a positive height, by the em for a
    // negative one.
    const struct {
        const FontId& font;
        int height, weight;
        bool italic;
        const char *face, *match;
        double h;
    } cases[] = {{fontTitle, 100, 700, false, "Comic sans ms", "Comic Neue Bold", 50.44},
                 {fontCredit, 20, 500, true, "Courier New", "Liberation Mono Italic", 11.63},
                 {fontMenu, 50, 700, false, "Courier New", "Liberation Mono Bold", 29.07},
                 {fontTimer, 25, 700, false, "Courier New", "Liberation Mono Bold", 14.54},
                 {fontFps, -12, 500, false, "Times New Roman", "Liberation Serif Regular", 7.86}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.match + (" " + std::to_string(c.height)));
        // The game's list is the one of this request.
        PlatformHandle handle = platformCreateFont(c.height, c.weight, c.italic, c.face);
        const MatchedFont m = freetypeFont(handle)->match;
        const FontId own = glGenLists(255);
        buildFont(own, handle);
        EXPECT_EQ(drawGlyph(c.font, 'g').where, drawGlyph(own, 'g').where)
            << "the game's font is not this request's";
        EXPECT_TRUE(std::string(m.family) + " " + m.style == c.match && !m.syntheticBold
                    && !m.syntheticOblique)
            << m.family << " " << m.style;
        const Glyph h = drawGlyph(c.font, 'H');
        EXPECT_NEAR(h.maxY - h.minY + 1, c.h, 1.5 + 0.02 * c.h);
        EXPECT_TRUE(h.advance > 0 && h.rise == 0 && h.minX >= X0 - 3 && h.maxX <= X0 + h.advance + 3
                    && std::abs(h.minY - Y0) <= 1)
            << h.minY;
        EXPECT_LT(drawGlyph(c.font, 'g').minY, Y0 - 1) << "a descender";
        // The euro and the space move on; control and undefined codes are empty lists.
        for (unsigned code : {0x80, 0x20, 0x00, 0x0A, 0x1F, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
            const Glyph g = drawGlyph(c.font, code);
            EXPECT_TRUE(glIsList(c.font + code) && g.rise == 0 && (g.count > 0) == (code == 0x80)
                        && (g.advance > 0) == (code == 0x20 || code == 0x80))
                << code;
        }
    }
    // é, and Š and Ÿ from the 0x80-0x9F table: the letter with a mark above.
    for (const auto& pair : {std::pair<unsigned, unsigned>{0xE9, 'e'}, {0x8A, 'S'}, {0x9F, 'Y'}}) {
        const Glyph marked = drawGlyph(fontMenu, pair.first), plain = drawGlyph(fontMenu, pair.second);
        EXPECT_TRUE(marked.maxY > plain.maxY + 2 && std::abs(marked.minY - plain.minY) <= 1) << pair.first;
    }
    // The euro is as wide as a C (the font's empty box half that); a T is heavier at the top (rows up).
    const Glyph euro = drawGlyph(fontMenu, 0x80), c = drawGlyph(fontMenu, 'C'), t = drawGlyph(fontMenu, 'T');
    EXPECT_TRUE(std::abs((euro.maxX - euro.minX) - (c.maxX - c.minX)) <= 2
                && 2 * t.rows > t.count * (t.minY + t.maxY));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_TRUE(alignment == 4 && glGetError() == GL_NO_ERROR) << "the caller's alignment back, no GL error";
}
