// GDI font objects on Linux: CreateFontA, SelectObject and DeleteObject over a
// fixed table of font objects, so handles can be checked and nothing is ever
// left allocated. The device context is ignored: the process has one
// selection, which is all buildFont needs (select, build, select back).
#include "freetype/freetype_fonts.h"
#include "platform/platform.h"

#include <cstdio>

// buildFont holds one font at a time; the rest is headroom.
static const int MAX_FONTS = 16;

struct FontSlot {
    bool live;
    FreetypeFont font;
};

static FontSlot fontSlots[MAX_FONTS] = {};
// Null until a font is selected; null again once the previous (null) object
// is selected back.
static PlatformHandle selectedObject = nullptr;

static FontSlot* liveSlot(PlatformHandle object)
{
    for (FontSlot& slot : fontSlots)
        if (slot.live && object == &slot.font)
            return &slot;
    return nullptr;
}

const FreetypeFont* freetypeFont(PlatformHandle font)
{
    const FontSlot* slot = liveSlot(font);
    return slot ? &slot->font : nullptr;
}

PlatformHandle freetypeSelectedObject()
{
    return selectedObject;
}

PlatformHandle platformCreateFont(int height, int weight, bool italic, const char* face)
{
    for (FontSlot& slot : fontSlots) {
        if (slot.live)
            continue;
        slot.font = FreetypeFont{};
        slot.font.height = height;
        slot.font.weight = weight;
        slot.font.italic = italic;
        std::snprintf(slot.font.face, sizeof slot.font.face, "%s", face ? face : "");
        // GDI hands out a font whatever the name; a failed match shows up
        // as an empty file and glyph lists that cannot be made.
        matchFont(slot.font.face, weight, italic, &slot.font.match);
        slot.live = true;
        return &slot.font;
    }
    return nullptr;
}

PlatformHandle platformSelectObject(PlatformHandle dc, PlatformHandle object)
{
    (void)dc;
    // Null stands for the DC's own font, which buildFont selects back.
    if (object && !liveSlot(object))
        return nullptr;
    PlatformHandle previous = selectedObject;
    selectedObject = object;
    return previous;
}

bool platformDeleteObject(PlatformHandle object)
{
    FontSlot* slot = liveSlot(object);
    // GDI refuses to delete an object still selected into a DC.
    if (!slot || object == selectedObject)
        return false;
    slot->live = false;
    return true;
}
