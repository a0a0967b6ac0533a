// The Linux stand-in for GDI font objects, shared by the three files of this
// builder: font_objects.cpp (create, select, delete), font_match.cpp
// (fontconfig) and glyph_lists.cpp (FreeType into display lists).
#pragma once

#include "platform/platform.h"

// The font file a request resolved to, and the styles FreeType must make up
// because the matched family has no face for them.
struct MatchedFont {
    char file[4096];  // empty when fontconfig found nothing
    int faceIndex;    // face within the file (FC_INDEX)
    char family[64];
    char style[64];
    bool syntheticBold;     // bold asked for, the face is not bold
    bool syntheticOblique;  // italic asked for, the face is upright
};

// One font object of platformCreateFont: the GDI request and its match.
struct FreetypeFont {
    int height;  // GDI rule: > 0 cell height, < 0 em height, 0 default
    int weight;  // GDI/OpenType weight, 0 = don't care
    bool italic;
    char face[32];  // LF_FACESIZE, cut short as GDI does
    MatchedFont match;
};

// Fontconfig lookup of a face name, GDI weight and italic flag. Called by
// platformCreateFont. False (and out emptied) when nothing matched.
bool matchFont(const char* face, int weight, bool italic, MatchedFont* out);

// The object behind a handle of platformCreateFont, null for anything else
// (null, deleted, foreign). Called by platformUseFontBitmaps and the tests.
const FreetypeFont* freetypeFont(PlatformHandle font);
// The object platformSelectObject selected last (the DC is ignored on Linux:
// one selection for the process). Called by platformUseFontBitmaps.
PlatformHandle freetypeSelectedObject();
