// The engine's proportional bitmap font: one 8-bit BMP strip of glyphs side by side
// whose bottom row marks where each glyph begins.
#pragma once

#include <windef.h>

#include "LumaExport.h"

class LUMABASE_API TDirectFont {
public:
    struct Spacing {
        int pos;
        int width;
    };
    enum { glyphCount = 224 };

    char* fileName;
    int width;
    int height;
    // `height` glyph rows, top row first, each `width` bytes long.
    unsigned char* fontData;
    Spacing* spacings;
    unsigned char lastGlyph;

    explicit TDirectFont(const char* fileName);
    ~TDirectFont();

    bool LoadFont();
    void ReadSpacings(HANDLE file, int rowBytes);

    unsigned char* getFontData();
    int getCharPos(unsigned char c);
    int getCharWidth(unsigned char c);
    int getStringWidth(const unsigned char* text);

    TDirectFont(const TDirectFont&) = delete;
    TDirectFont& operator=(const TDirectFont&) = delete;

private:
    // The glyph of c, or null when the font has none.
    const Spacing* glyphOf(unsigned char c) const;
};
