// wglUseFontBitmapsA for Linux: the selected font's glyphs, rendered by
// FreeType, one glBitmap display list per character code.
//
// Supports: codes 0-255 read as Windows-1252; GDI's height rule (positive:
// the cell, the OS/2 table's Windows ascent + descent, or FreeType's ascender
// + descender in a font without that table; negative: the em; 0: a 12-pixel
// em); bold and italic the matched family lacks, made up by FreeType
// (emboldening, a 12-degree oblique); one bit per pixel, as
// wglUseFontBitmaps draws; whole-pixel advances. Control codes and the five
// codes Windows-1252 leaves undefined get a list that draws nothing and does
// not move.
// Does not: GDI's font linking (a character the face lacks draws the face's
// missing-glyph box), kerning, width or escapement, bitmap-only fonts, codes
// above 255. The dc is ignored. FreeType is opened and closed on every call:
// fonts are built once per GL context, so there is no cache to keep right.
#include "freetype/freetype_fonts.h"
#include "platform/platform.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <GL/gl.h>

#include <cstring>
#include <vector>

// Windows-1252 0x80-0x9F; 0 where the code page defines no character.
static const unsigned short cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// GDI's size for height 0 is its own choice; this is ours.
static const int DEFAULT_EM_PIXELS = 12;

// The Unicode character of a Windows-1252 code; 0 for codes that draw nothing.
static unsigned long unicodeOf(unsigned code)
{
    if (code < 0x20 || code == 0x7F || code > 0xFF)
        return 0;
    if (code >= 0x80 && code < 0xA0)
        return cp1252High[code - 0x80];
    return code;  // ASCII, and 0xA0-0xFF equal Latin-1
}

// GDI's character cell in font units: the Windows ascent and descent, which
// may differ from the hhea values FreeType's ascender and descender hold.
static long cellUnits(FT_Face face)
{
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        return os2->usWinAscent + os2->usWinDescent;
    return face->ascender - face->descender;
}

static bool setPixelHeight(FT_Face face, int height)
{
    long em64 = (height < 0 ? -static_cast<long>(height) : DEFAULT_EM_PIXELS) * 64;  // 26.6 pixels
    if (height > 0) {
        const long cell = cellUnits(face);
        if (cell <= 0)
            return false;
        em64 = (height * 64L * face->units_per_EM + cell / 2) / cell;
    }
    FT_Size_RequestRec request = {};
    request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = em64;  // resolutions are left at 0: pixels
    return FT_Request_Size(face, &request) == 0;
}

// Mesa drops a NULL bitmap compiled into a list, advance and all (and raises
// GL_OUT_OF_MEMORY), so an empty glyph is one clear pixel.
static void emptyGlyph(GLfloat advance)
{
    static const GLubyte clearPixel[1] = {0};
    glBitmap(1, 1, 0.0f, 0.0f, advance, 0.0f, clearPixel);
}

// FreeType rows run top to bottom at `pitch` bytes (negative: the buffer
// starts at the bottom row); glBitmap wants bottom to top, tightly packed
// at the unpack alignment of 1 that platformUseFontBitmaps sets.
static void flipRows(const FT_Bitmap& bitmap, std::vector<GLubyte>& rows)
{
    const size_t rowBytes = (bitmap.width + 7) / 8;
    rows.resize(rowBytes * bitmap.rows);
    const unsigned char* top = bitmap.buffer;
    if (bitmap.pitch < 0)
        top -= static_cast<ptrdiff_t>(bitmap.pitch) * (bitmap.rows - 1);
    for (unsigned y = 0; y < bitmap.rows; y++)
        std::memcpy(&rows[(bitmap.rows - 1 - y) * rowBytes], top + static_cast<ptrdiff_t>(y) * bitmap.pitch,
                    rowBytes);
}

// The glyph of one code into the list being compiled.
static void compileGlyph(FT_Face face, unsigned code, const MatchedFont& match, std::vector<GLubyte>& rows)
{
    const unsigned long unicode = unicodeOf(code);
    // Outlines only: emboldening, shearing and the mono renderer need one.
    if (unicode == 0 || FT_Load_Char(face, unicode, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) != 0
        || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        emptyGlyph(0.0f);
        return;
    }
    FT_GlyphSlot slot = face->glyph;
    if (match.syntheticBold)
        FT_GlyphSlot_Embolden(slot);
    if (match.syntheticOblique)
        FT_GlyphSlot_Oblique(slot);
    // Whole pixels, as GDI advances.
    const GLfloat advance = static_cast<GLfloat>((slot->advance.x + 32) / 64);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO
        || slot->bitmap.width == 0 || slot->bitmap.rows == 0) {
        emptyGlyph(advance);
        return;
    }
    flipRows(slot->bitmap, rows);
    const int height = static_cast<int>(slot->bitmap.rows);
    // The origin is the pen position on the baseline: bitmap_left pixels to
    // the left edge, bitmap_top pixels up to the top row.
    glBitmap(static_cast<GLsizei>(slot->bitmap.width), height, static_cast<GLfloat>(-slot->bitmap_left),
             static_cast<GLfloat>(height - slot->bitmap_top), advance, 0.0f, rows.data());
}

// Lists listBase.. for codes first.. from an open face.
static void compileLists(FT_Face face, const MatchedFont& match, unsigned first, unsigned count,
                         unsigned listBase)
{
    std::vector<GLubyte> rows;
    // Pixel-store state is read when the list is compiled, not when called:
    // set it for these bitmaps alone and give the caller's back.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (unsigned i = 0; i < count; i++) {
        glNewList(listBase + i, GL_COMPILE);
        compileGlyph(face, first + i, match, rows);
        glEndList();
    }
    glPopClientAttrib();
}

bool platformUseFontBitmaps(PlatformHandle dc, unsigned first, unsigned count, unsigned listBase)
{
    (void)dc;
    const FreetypeFont* font = freetypeFont(freetypeSelectedObject());
    // listBase 0 is what a failed glGenLists gives.
    if (!font || font->match.file[0] == '\0' || listBase == 0)
        return false;

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    FT_Face face = nullptr;
    bool built = false;
    if (FT_New_Face(library, font->match.file, font->match.faceIndex, &face) == 0) {
        // Faces open on their Unicode map when they have one; say so anyway.
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
        if (setPixelHeight(face, font->height)) {
            compileLists(face, font->match, first, count, listBase);
            built = true;
        }
    }
    // Frees the face too.
    FT_Done_FreeType(library);
    return built;
}
