#include "text/codepage.h"
#include "text/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace luma {

namespace {

const FcChar8* fcText(const char* text) { return reinterpret_cast<const FcChar8*>(text); }

// The system's font list, read once.
FcConfig* systemFonts() {
    static std::unique_ptr<FcConfig, void (*)(FcConfig*)> config(FcInitLoadConfigAndFonts(),
                                                                 FcConfigDestroy);
    return config.get();
}

} // namespace

bool findFontFile(const std::string& faceName, bool bold, bool italic, FontFile& file) {
    FcConfig* fontconfig = systemFonts();
    if (!fontconfig)
        return false;
    FcPattern* pattern = FcPatternCreate();
    std::string family = windows1252ToUtf8(faceName);
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, fcText(family.c_str()));
    if (const char* twin = metricTwinOf(faceName))
        FcPatternAddString(pattern, FC_FAMILY, fcText(twin));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // The configuration appends the generic families, "sans-serif" for unknown names.
    FcConfigSubstitute(fontconfig, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcFontSet* candidates = FcFontSort(fontconfig, pattern, FcFalse, nullptr, &result);
    bool found = false;
    for (int i = 0; candidates && i < candidates->nfont && !found; ++i) {
        FcPattern* font = candidates->fonts[i];
        FcBool outline = FcFalse;
        FcChar8* path = nullptr;
        // Bitmap fonts cannot be sized as GDI sizes TrueType.
        if (FcPatternGetBool(font, FC_OUTLINE, 0, &outline) != FcResultMatch || !outline ||
            FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch)
            continue;
        file.path = reinterpret_cast<const char*>(path);
        file.index = 0;
        FcPatternGetInteger(font, FC_INDEX, 0, &file.index);
        FcChar8* foundFamily = nullptr;
        file.family = FcPatternGetString(font, FC_FAMILY, 0, &foundFamily) == FcResultMatch
                          ? reinterpret_cast<const char*>(foundFamily)
                          : "";
        found = true;
    }
    if (candidates)
        FcFontSetDestroy(candidates);
    FcPatternDestroy(pattern);
    return found;
}

} // namespace luma
