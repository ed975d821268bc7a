#include "text/font_face.h"

#include "text/codepage.h"
#include "text/font_library.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace luma {

namespace {

int roundToPixels(FT_Pos value26Dot6) {
    return static_cast<int>(std::floor((value26Dot6 + 32) / 64.0));
}

// One row of a rendered bitmap, whichever way its rows run.
const unsigned char* rowOf(const FT_Bitmap& bitmap, unsigned row) {
    int pitch = std::abs(bitmap.pitch);
    unsigned stored = bitmap.pitch < 0 ? bitmap.rows - 1 - row : row;
    return bitmap.buffer + static_cast<size_t>(stored) * pitch;
}

uint8_t coverageAt(const FT_Bitmap& bitmap, unsigned row, unsigned column) {
    const unsigned char* bits = rowOf(bitmap, row);
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return (bits[column / 8] & (0x80 >> (column % 8))) ? 255 : 0;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
        return bits[column];
    return 0;
}

} // namespace

FontFace::FontFace(std::shared_ptr<FontLibrary> fontLibrary, FT_Face sizedFace, int ascent,
                   int descent, GlyphStyle glyphStyle)
    : library(std::move(fontLibrary)), face(sizedFace), ascentPixels(ascent),
      descentPixels(descent), style(glyphStyle) {}

FontFace::~FontFace() { FT_Done_Face(face); }

std::string FontFace::familyName() const { return face->family_name ? face->family_name : ""; }

int FontFace::pixelsPerEm() const { return face->size->metrics.y_ppem; }

const FontFace::Glyph& FontFace::glyphOf(char32_t character) const {
    auto cached = glyphs.find(character);
    if (cached != glyphs.end())
        return cached->second;

    Glyph glyph;
    glyph.index = FT_Get_Char_Index(face, character);
    // One bit per pixel needs stems snapped to whole pixels, as GDI's hinting snapped them;
    // the free fonts' own instructions leave bold stems one pixel wide at dialog sizes.
    FT_Int32 flags =
        style.antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT;
    if (FT_Load_Glyph(face, glyph.index, flags) == 0) {
        FT_GlyphSlot slot = face->glyph;
        if (style.slanted)
            FT_GlyphSlot_Oblique(slot);
        if (style.emboldened)
            FT_GlyphSlot_Embolden(slot);
        FT_Render_Mode mode = style.antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
        if (FT_Render_Glyph(slot, mode) == 0) {
            const FT_Bitmap& bitmap = slot->bitmap;
            glyph.left = slot->bitmap_left;
            glyph.top = slot->bitmap_top;
            glyph.width = static_cast<int>(bitmap.width);
            glyph.rows = static_cast<int>(bitmap.rows);
            glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
            for (unsigned row = 0; row < bitmap.rows; ++row)
                for (unsigned column = 0; column < bitmap.width; ++column)
                    glyph.coverage[row * bitmap.width + column] = coverageAt(bitmap, row, column);
        }
        glyph.advance = roundToPixels(slot->advance.x);
    }
    return glyphs.emplace(character, std::move(glyph)).first->second;
}

int FontFace::kerning(unsigned leftIndex, unsigned rightIndex) const {
    if (!leftIndex || !rightIndex || !FT_HAS_KERNING(face))
        return 0;
    FT_Vector delta{};
    if (FT_Get_Kerning(face, leftIndex, rightIndex, FT_KERNING_DEFAULT, &delta) != 0)
        return 0;
    return roundToPixels(delta.x);
}

template <typename Visit> int FontFace::layOut(const std::string& text, Visit visit) const {
    int pen = 0;
    unsigned previous = 0;
    for (char32_t character : decodeWindows1252(text)) {
        const Glyph& glyph = glyphOf(character);
        pen += kerning(previous, glyph.index);
        visit(glyph, pen);
        pen += glyph.advance;
        previous = glyph.index;
    }
    return pen;
}

int FontFace::measure(const std::string& text) const {
    return layOut(text, [](const Glyph&, int) {});
}

TextCoverage FontFace::render(const std::string& text) const {
    int inkLeft = 0;
    int inkRight = 0;
    int advance = layOut(text, [&](const Glyph& glyph, int pen) {
        if (glyph.width == 0)
            return;
        inkLeft = std::min(inkLeft, pen + glyph.left);
        inkRight = std::max(inkRight, pen + glyph.left + glyph.width);
    });

    TextCoverage line;
    line.originX = -inkLeft;
    line.width = std::max(advance, inkRight) - inkLeft;
    line.height = height();
    line.values.assign(static_cast<size_t>(line.width) * line.height, 0);
    layOut(text, [&](const Glyph& glyph, int pen) {
        int left = line.originX + pen + glyph.left;
        int top = ascentPixels - glyph.top;
        for (int row = 0; row < glyph.rows; ++row) {
            int y = top + row;
            if (y < 0 || y >= line.height)
                continue;
            for (int column = 0; column < glyph.width; ++column) {
                uint8_t& target = line.values[static_cast<size_t>(y) * line.width + left + column];
                int sum = target + glyph.coverage[static_cast<size_t>(row) * glyph.width + column];
                target = static_cast<uint8_t>(std::min(sum, 255));
            }
        }
    });
    return line;
}

} // namespace luma
