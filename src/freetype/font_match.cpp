// Fontconfig lookup for platformCreateFont. Fontconfig's own aliases turn the
// Windows names into metric-compatible fonts ("Courier New" -> Liberation
// Mono, "Times New Roman" -> Liberation Serif, "Comic sans ms" -> Comic Neue).
//
// Lookups share one private FcConfig, loaded at the first and destroyed at
// exit: loading takes several milliseconds, and a window creation makes
// five lookups before its first frame. (Kept to the very end, fontconfig's
// offset-encoded blocks would look leaked to LeakSanitizer, which checks
// after the exit handlers registered later than its own.) The process-wide
// default config would leave a block inside fontconfig unreachable, and
// FcFini, the only way to free it, would pull the config from under any
// other user in the process (GTK drawing SDL's window frame on Wayland).
#include "freetype/freetype_fonts.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static void copyText(char* out, size_t size, const FcChar8* text)
{
    std::snprintf(out, size, "%s", text ? reinterpret_cast<const char*>(text) : "");
}

// GDI weight 0 is FW_DONTCARE, drawn as FW_NORMAL.
static int fontconfigWeight(int gdiWeight)
{
    return FcWeightFromOpenType(gdiWeight > 0 ? gdiWeight : 400);
}

// What fontconfig did to fake a missing style. Debian's 90-synthetic.conf
// marks the match (embolden, a shear matrix) and rewrites its weight and
// slant to the requested ones, so those marks come first; without that file
// the weight and slant of the face tell.
static void decideSynthesis(FcPattern* font, int wantWeight, bool italic, MatchedFont* out)
{
    FcBool embolden = FcFalse;
    FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden);
    int weight = 0;
    const bool weightKnown = FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) == FcResultMatch;
    out->syntheticBold =
        embolden || (wantWeight >= FC_WEIGHT_DEMIBOLD && weightKnown && weight <= FC_WEIGHT_MEDIUM);

    FcMatrix* matrix = nullptr;
    const bool sheared =
        FcPatternGetMatrix(font, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix->xy != 0.0;
    int slant = 0;
    const bool slantKnown = FcPatternGetInteger(font, FC_SLANT, 0, &slant) == FcResultMatch;
    out->syntheticOblique = italic && (sheared || (slantKnown && slant == FC_SLANT_ROMAN));
}

// Null until the first lookup; a failed load is tried again at the next.
static FcConfig* lookupConfig = nullptr;

static void releaseLookupConfig()
{
    FcConfigDestroy(lookupConfig);
    lookupConfig = nullptr;
}

bool matchFont(const char* face, int weight, bool italic, MatchedFont* out)
{
    *out = MatchedFont{};
    if (!lookupConfig) {
        lookupConfig = FcInitLoadConfigAndFonts();
        if (lookupConfig)
            std::atexit(releaseLookupConfig);
    }
    FcConfig* config = lookupConfig;
    if (!config)
        return false;

    FcPattern* request = FcPatternCreate();
    const int wantWeight = fontconfigWeight(weight);
    FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
    FcPatternAddInteger(request, FC_WEIGHT, wantWeight);
    FcPatternAddInteger(request, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // OUT_TT_PRECIS: outline fonts only, never a bitmap strike.
    FcPatternAddBool(request, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(config, request, FcMatchPattern);
    FcDefaultSubstitute(request);

    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(config, request, &result);
    bool found = false;
    FcChar8* file = nullptr;
    if (font && FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch
        && std::strlen(reinterpret_cast<const char*>(file)) < sizeof out->file) {
        copyText(out->file, sizeof out->file, file);
        int index = 0;
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        out->faceIndex = index;
        FcChar8* text = nullptr;
        if (FcPatternGetString(font, FC_FAMILY, 0, &text) == FcResultMatch)
            copyText(out->family, sizeof out->family, text);
        if (FcPatternGetString(font, FC_STYLE, 0, &text) == FcResultMatch)
            copyText(out->style, sizeof out->style, text);
        decideSynthesis(font, wantWeight, italic, out);
        found = true;
    }
    if (font)
        FcPatternDestroy(font);
    FcPatternDestroy(request);
    return found;
}
