#include "platform/freetype/freetype_fonts.h"
#include "platform/platform.h"
#include "render/render.h"
#include "support/test_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const int W = 800, H = 600, X0 = 100, Y0 = 200;

// One list called at (X0, Y0): the raster move and the lit pixels' extent.
struct Glyph { float advance, rise; int count = 0, minX = W, maxX = -1, minY = H, maxY = -1; };

Glyph drawGlyph(FontId base, unsigned code)
{
    glClear(GL_COLOR_BUFFER_BIT);
    glRasterPos2i(X0, Y0);
    glCallList(base + code);
    GLfloat raster[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    Glyph g{raster[0] - X0, raster[1] - Y0};
    std::vector<unsigned char> rgb(W * H * 3);
    readFrame(rgb.data());
    for (int i = 0; i < W * H; i++)
        if (rgb[i * 3] > 127)
            g.count++, g.minX = std::min(g.minX, i % W), g.maxX = std::max(g.maxX, i % W), g.minY = std::min(g.minY, i / W), g.maxY = i / W;
    return g;
}

// Built as the game builds it, with what fontconfig matched.
FontId makeFont(int height, int weight, bool italic, const char* face, MatchedFont* match = nullptr)
{
    const FontId base = glGenLists(255);
    PlatformHandle handle = platformCreateFont(height, weight, italic, face);
    if (match)
        *match = freetypeFont(handle)->match;
    buildFont(base, handle);
    return base;
}

// Pixels as window coordinates, white, GL's default unpack alignment as in the game.
class FreetypeGlyphs : public ::testing::Test {
    void SetUp() override
    {
        useTestGLContext();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(0, W, 0, H, -1, 1);
        glMatrixMode(GL_MODELVIEW), glLoadIdentity(), glColor3f(1, 1, 1);
    }
};
}

// The H heights come from the font files through fontTools, not FreeType.
TEST_F(FreetypeGlyphs, GameFontsAreTheirStandInsDrawHAsTallAsTheFileSaysAndSitOnTheBaseline)
{
    buildFonts();
    const struct { const FontId& font; int height, weight; bool italic; const char *face, *family, *style, *pattern; } cases[] = {
        {fontTitle, 100, 700, false, "Comic sans ms", "Comic Neue", "Bold", "Comic sans ms:bold"},
        {fontCredit, 20, 500, true, "Courier New", "Liberation Mono", "Italic", "Courier New:medium:italic"},
        {fontMenu, 50, 700, false, "Courier New", "Liberation Mono", "Bold", "Courier New:bold"},
        {fontTimer, 25, 700, false, "Courier New", "Liberation Mono", "Bold", "Courier New:bold"},
        {fontFps, -12, 500, false, "Times New Roman", "Liberation Serif", "Regular", "Times New Roman:medium"}};
    const std::string source = __FILE__;
    std::string command = "timeout 60 /usr/bin/python3 '" + source.substr(0, source.rfind('/')) + "/font_heights.py'";
    for (const auto& c : cases)
        command += " '" + std::string(c.pattern) + "' " + std::to_string(c.height);
    FILE* heights = popen(command.c_str(), "r");
    ASSERT_NE(heights, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern + (" " + std::to_string(c.height)));
        const FontId font = c.font;
        PlatformHandle handle = platformCreateFont(c.height, c.weight, c.italic, c.face);
        const MatchedFont m = freetypeFont(handle)->match;
        EXPECT_TRUE(platformDeleteObject(handle));
        EXPECT_TRUE(m.family == std::string(c.family) && m.style == std::string(c.style)) << m.family << " " << m.style;
        EXPECT_FALSE(m.syntheticBold || m.syntheticOblique);
        double expected = 0;
        ASSERT_EQ(std::fscanf(heights, "%lf %*s", &expected), 1);
        const Glyph h = drawGlyph(font, 'H'), space = drawGlyph(font, ' ');
        std::printf("%s %d -> %s %s (%s): H %d px, %.2f due\n", c.face, c.height, m.family, m.style, m.file,
                    h.maxY - h.minY + 1, expected);
        EXPECT_NEAR(h.maxY - h.minY + 1, expected, 1.5 + 0.02 * expected);
        EXPECT_TRUE(h.advance > 0 && h.rise == 0 && h.minX >= X0 - 3 && h.maxX <= X0 + h.advance + 3);
        EXPECT_NEAR(h.minY, Y0, 1) << "on the baseline";
        EXPECT_LT(drawGlyph(font, 'g').minY, Y0 - 1) << "a descender";
        EXPECT_TRUE(space.advance > 0 && space.rise == 0 && space.count == 0);
        for (unsigned code : {0x00, 0x0A, 0x1F, 0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
            const Glyph blank = drawGlyph(font, code);
            EXPECT_TRUE(glIsList(font + code) && blank.advance == 0 && blank.count == 0) << code;
        }
    }
    EXPECT_EQ(pclose(heights), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "the caller's alignment comes back";
}

TEST_F(FreetypeGlyphs, Windows1252CodesDrawTheirCharactersAndAMadeUpBoldIsHeavier)
{
    const FontId font = makeFont(50, 700, false, "Courier New");
    // é, and Š and Ÿ from the 0x80-0x9F table: the letter with a mark above.
    for (const auto& pair : {std::pair<unsigned, unsigned>{0xE9, 'e'}, {0x8A, 'S'}, {0x9F, 'Y'}}) {
        const Glyph marked = drawGlyph(font, pair.first), plain = drawGlyph(font, pair.second);
        EXPECT_TRUE(marked.maxY > plain.maxY + 2 && std::abs(marked.minY - plain.minY) <= 1) << pair.first;
    }
    const Glyph euro = drawGlyph(font, 0x80);
    EXPECT_TRUE(euro.count > 0 && euro.advance > 0);
    // Comic Neue Light has no bold face: FreeType makes it up.
    MatchedFont m;
    const FontId light = makeFont(60, 500, false, "Comic Neue Light"), bold = makeFont(60, 700, false, "Comic Neue Light", &m);
    EXPECT_TRUE(m.syntheticBold) << m.family << " " << m.style;
    EXPECT_GT(drawGlyph(bold, 'H').count, drawGlyph(light, 'H').count * 11 / 10);
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
    EXPECT_FALSE(platformUseFontBitmaps(nullptr, 0, 255, glGenLists(255))) << "nothing selected";
    EXPECT_TRUE(platformDeleteObject(a) && platformDeleteObject(b));
    EXPECT_FALSE(platformDeleteObject(a)) << "already deleted";
    EXPECT_EQ(platformSelectObject(nullptr, a), nullptr) << "a deleted font is refused";
    EXPECT_EQ(platformSelectObject(nullptr, nullptr), nullptr) << "and the selection kept";
}
