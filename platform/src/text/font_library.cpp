#include "text/font_library.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace luma {

namespace {

// The system font's cell: what a LOGFONTA of height 0 gets.
constexpr int defaultCellHeight = 16;
// Beyond any screen: keeps a wild height from overflowing FreeType's sizes.
constexpr long largestHeight = 0x4000;

// The Windows ascent and descent in font units: they make GDI's cell.
void windowsMetricsOf(FT_Face face, long& winAscent, long& winDescent) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        winAscent = os2->usWinAscent;
        winDescent = os2->usWinDescent;
    } else {
        winAscent = face->ascender;
        winDescent = -face->descender;
    }
    if (winAscent + winDescent <= 0) {
        winAscent = face->units_per_EM * 4 / 5;
        winDescent = face->units_per_EM - winAscent;
    }
}

} // namespace

std::shared_ptr<FontLibrary> FontLibrary::shared() {
    static std::shared_ptr<FontLibrary> library(new FontLibrary);
    return library;
}

FontLibrary::FontLibrary() {
    if (FT_Init_FreeType(&freetype) != 0)
        freetype = nullptr;
}

FontLibrary::~FontLibrary() {
    if (freetype)
        FT_Done_FreeType(freetype);
}

std::unique_ptr<FontFace> FontLibrary::open(const FontRequest& request) {
    FontFile file;
    if (!freetype || !findFontFile(request.faceName, request.bold, request.italic, file))
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(freetype, file.path.c_str(), file.index, &face) != 0)
        return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }

    long winAscent = 0;
    long winDescent = 0;
    windowsMetricsOf(face, winAscent, winDescent);
    long cellUnits = winAscent + winDescent;
    long height = request.height == 0 ? defaultCellHeight : request.height;
    height = std::clamp(height, -largestHeight, largestHeight);

    double pixelsPerEm = 0;
    int ascent = 0;
    int descent = 0;
    if (height > 0) {
        // The cell is the height asked for; the em is what fits in it.
        pixelsPerEm = static_cast<double>(face->units_per_EM) * height / cellUnits;
        ascent = static_cast<int>(std::lround(static_cast<double>(winAscent) * height / cellUnits));
        descent = static_cast<int>(height) - ascent;
    } else {
        pixelsPerEm = static_cast<double>(-height);
        ascent = static_cast<int>(std::lround(winAscent * pixelsPerEm / face->units_per_EM));
        descent = static_cast<int>(std::lround(winDescent * pixelsPerEm / face->units_per_EM));
    }
    FT_F26Dot6 size = std::max<FT_F26Dot6>(64, std::lround(pixelsPerEm * 64));
    if (FT_Set_Char_Size(face, 0, size, 72, 72) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }

    GlyphStyle style;
    style.antialiased = request.antialiased;
    style.emboldened = request.bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    style.slanted = request.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    return std::make_unique<FontFace>(shared_from_this(), face, ascent, descent, style);
}

} // namespace luma
