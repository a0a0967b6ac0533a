#include "platform/freetype/freetype_fonts.h"
#include "platform/platform.h"
#include "render/render.h"
#include "support/test_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
const int W = 800, H = 600, X0 = 100, Y0 = 200;
std::vector<FontId> blocks;  // deleted after each test: the context outlives it

struct Font {
    FontId base;
    MatchedFont match;
};

// Built as the game builds it (buildFont), with what fontconfig matched.
Font makeFont(int height, int weight, bool italic, const char* face)
{
    blocks.push_back(glGenLists(255));
    PlatformHandle handle = platformCreateFont(height, weight, italic, face);
    Font font{blocks.back(), freetypeFont(handle)->match};
    buildFont(font.base, handle);
    return font;
}

// One list called at (X0, Y0): the raster move and the lit pixels.
struct Glyph {
    float advance = 0, rise = 0;
    int count = 0, minX = W, maxX = -1, minY = H, maxY = -1;
    std::vector<double> rowSumX = std::vector<double>(H), rowCount = std::vector<double>(H);

    double centreX(int y0, int y1) const  // of the lit pixels in rows y0..y1
    {
        double sum = 0, n = 0;
        for (int y = y0; y <= y1; y++)
            sum += rowSumX[y], n += rowCount[y];
        return n ? sum / n : 0;
    }
};

Glyph drawGlyph(FontId base, unsigned code)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glRasterPos2i(X0, Y0);
    glCallList(base + code);
    GLfloat raster[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    Glyph g;
    g.advance = raster[0] - X0, g.rise = raster[1] - Y0;
    std::vector<unsigned char> rgb(W * H * 3);
    readFrame(rgb.data());
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            if (rgb[(y * W + x) * 3] > 127) {
                g.count++, g.rowSumX[y] += x, g.rowCount[y]++;
                g.minX = std::min(g.minX, x), g.maxX = std::max(g.maxX, x);
                g.minY = std::min(g.minY, y), g.maxY = std::max(g.maxY, y);
            }
    return g;
}

class FreetypeGlyphs : public ::testing::Test {
protected:
    void SetUp() override
    {
        useTestGLContext();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // GL's default, as in the game
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, W, 0, H, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1, 1, 1);
    }
    void TearDown() override
    {
        for (FontId base : blocks)
            glDeleteLists(base, 255);
        blocks.clear();
    }
};
}

TEST_F(FreetypeGlyphs, GameFontsResolveToTheirMetricCompatibleStandIns)
{
    struct Case { int height, weight; bool italic; const char *face, *family, *style; };
    for (const Case& c : {Case{100, 700, false, "Comic sans ms", "Comic Neue", "Bold"},
                          Case{20, 500, true, "Courier New", "Liberation Mono", "Italic"},
                          Case{50, 700, false, "Courier New", "Liberation Mono", "Bold"},
                          Case{25, 700, false, "Courier New", "Liberation Mono", "Bold"},
                          Case{-12, 500, false, "Times New Roman", "Liberation Serif", "Regular"}}) {
        const Font font = makeFont(c.height, c.weight, c.italic, c.face);
        std::printf("%s %d/%d%s -> %s, %s, %s\n", c.face, c.height, c.weight, c.italic ? " italic" : "",
                    font.match.family, font.match.style, font.match.file);
        EXPECT_STREQ(font.match.family, c.family);
        EXPECT_STREQ(font.match.style, c.style);
        EXPECT_FALSE(font.match.syntheticBold || font.match.syntheticOblique) << c.face;
    }
}

TEST_F(FreetypeGlyphs, LettersSitOnTheBaselineBlanksOnlyAdvanceControlsDoNothing)
{
    buildFonts();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "the caller's alignment comes back";
    for (FontId base : {fontTitle, fontCredit, fontMenu, fontTimer, fontFps}) {
        blocks.push_back(base);
        const Glyph a = drawGlyph(base, 'A'), space = drawGlyph(base, ' ');
        EXPECT_GT(a.advance, 0.0f);
        EXPECT_EQ(a.rise, 0.0f);
        EXPECT_GT(a.count, 0);
        EXPECT_TRUE(a.minX >= X0 - 3 && a.maxX <= X0 + a.advance + 3) << base;
        EXPECT_NEAR(a.minY, Y0, 1) << base;
        EXPECT_LT(drawGlyph(base, 'g').minY, Y0 - 1) << "descender, font " << base;
        EXPECT_TRUE(space.advance > 0 && space.count == 0) << base;
        for (unsigned code : {0x00, 0x0A, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
            const Glyph blank = drawGlyph(base, code);
            EXPECT_TRUE(glIsList(base + code) && blank.advance == 0 && blank.count == 0) << code;
        }
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(FreetypeGlyphs, MonospaceAdvancesAreEqualProportionalOnesDiffer)
{
    const Font mono = makeFont(25, 700, false, "Courier New");
    const Font serif = makeFont(-12, 500, false, "Times New Roman");
    EXPECT_EQ(drawGlyph(mono.base, 'i').advance, drawGlyph(mono.base, 'W').advance);
    EXPECT_LT(drawGlyph(serif.base, 'i').advance + 3, drawGlyph(serif.base, 'W').advance);
}

TEST_F(FreetypeGlyphs, BoldIsHeavierAndItalicLeansRightRealOrSynthetic)
{
    // Comic Neue Light has no bold face, DejaVu Math TeX Gyre (only present
    // with fonts-dejavu-extra) no italic one: FreeType makes them up.
    struct Case { const char *face, *family; bool italic, synthetic; };
    for (const Case& c : {Case{"Courier New", "Liberation Mono", false, false},
                          Case{"Comic Neue Light", "Comic Neue", false, true},
                          Case{"Courier New", "Liberation Mono", true, false},
                          Case{"DejaVu Math TeX Gyre", "DejaVu Math TeX Gyre", true, true}}) {
        const Font plain = makeFont(60, 500, false, c.face);
        const Font styled = makeFont(60, c.italic ? 500 : 700, c.italic, c.face);
        if (std::string(styled.match.family) != c.family) {
            std::printf("no %s here: case not run\n", c.family);
            continue;
        }
        SCOPED_TRACE(std::string(c.face) + (c.italic ? " italic" : " bold"));
        EXPECT_EQ(c.italic ? styled.match.syntheticOblique : styled.match.syntheticBold, c.synthetic);
        if (!c.italic) {
            EXPECT_GT(drawGlyph(styled.base, 'H').count, drawGlyph(plain.base, 'H').count * 11 / 10);
            continue;
        }
        for (const Font* font : {&plain, &styled}) {
            const Glyph g = drawGlyph(font->base, 'I');
            const int quarter = (g.maxY - g.minY) / 4;
            const double lean = g.centreX(g.maxY - quarter, g.maxY) - g.centreX(g.minY, g.minY + quarter);
            EXPECT_NEAR(lean, font == &plain ? 0 : 0.2 * 3 * quarter, font == &plain ? 1 : 0.1 * 3 * quarter);
        }
    }
}

TEST_F(FreetypeGlyphs, GameFontsDrawHAsTallAsTheWindowsCellOrTheEmMakesIt)
{
    // Expected heights come from the font files through fontTools, not FreeType.
    const std::string source = __FILE__, script = source.substr(0, source.rfind('/')) + "/font_heights.py";
    buildFonts();
    const struct { const FontId& font; const char* pattern; int height; } cases[] = {
        {fontTitle, "Comic sans ms:bold", 100}, {fontCredit, "Courier New:medium:italic", 20},
        {fontMenu, "Courier New:bold", 50}, {fontTimer, "Courier New:bold", 25},
        {fontFps, "Times New Roman:medium", -12}};
    std::string command = std::string("timeout 60 /usr/bin/python3 '") + script + "'";
    for (const auto& c : cases) {
        blocks.push_back(c.font);
        command += " '" + std::string(c.pattern) + "' " + std::to_string(c.height);
    }
    FILE* heights = popen(command.c_str(), "r");
    ASSERT_NE(heights, nullptr);
    for (const auto& c : cases) {
        double expected = 0;
        char file[4096] = {};
        ASSERT_EQ(std::fscanf(heights, "%lf %4095s", &expected, file), 2) << c.pattern;
        const Glyph h = drawGlyph(c.font, 'H');
        std::printf("%s %d (%s): H %d px, expected %.2f\n", c.pattern, c.height, file, h.maxY - h.minY + 1, expected);
        EXPECT_NEAR(h.maxY - h.minY + 1, expected, 1.5 + 0.02 * expected) << c.pattern << " " << c.height;
    }
    EXPECT_EQ(pclose(heights), 0);
}

TEST_F(FreetypeGlyphs, Windows1252CodesDrawTheirCharacters)
{
    const Font font = makeFont(50, 700, false, "Courier New");
    // é, and Š and Ÿ from the 0x80-0x9F table: the letter with a mark above.
    for (const auto& pair : {std::pair<unsigned, unsigned>{0xE9, 'e'}, {0x8A, 'S'}, {0x9F, 'Y'}}) {
        const Glyph marked = drawGlyph(font.base, pair.first), plain = drawGlyph(font.base, pair.second);
        EXPECT_GT(marked.maxY, plain.maxY + 2) << pair.first;
        EXPECT_NEAR(marked.minY, plain.minY, 1) << pair.first;
    }
    const Glyph euro = drawGlyph(font.base, 0x80);
    EXPECT_TRUE(euro.count > 0 && euro.advance > 0);
}

TEST_F(FreetypeGlyphs, SelectObjectReturnsThePreviousObjectAsGdiDoes)
{
    PlatformHandle a = platformCreateFont(20, 500, false, "Courier New");
    PlatformHandle b = platformCreateFont(20, 700, false, "Courier New");
    ASSERT_TRUE(a && b && a != b);
    EXPECT_EQ(platformSelectObject(nullptr, a), nullptr);
    EXPECT_EQ(platformSelectObject(nullptr, b), a);
    EXPECT_FALSE(platformDeleteObject(b)) << "a selected font stays";
    EXPECT_EQ(platformSelectObject(nullptr, nullptr), b);
    blocks.push_back(glGenLists(255));
    EXPECT_FALSE(platformUseFontBitmaps(nullptr, 0, 255, blocks.back())) << "nothing selected";
    EXPECT_TRUE(platformDeleteObject(a) && platformDeleteObject(b));
    EXPECT_FALSE(platformDeleteObject(a)) << "already deleted";
    EXPECT_EQ(platformSelectObject(nullptr, a), nullptr) << "a deleted font is refused";
    EXPECT_EQ(platformSelectObject(nullptr, nullptr), nullptr) << "and the selection kept";
}
