// One font at one size, measured and drawn as GDI measures and draws it: whole-pixel
// advances, a cell of ascent + descent from the OS/2 table's Windows metrics.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

typedef struct FT_FaceRec_* FT_Face;

namespace luma {

class FontLibrary;

// Text drawn into a cell-high strip: 0 is no ink, 255 full ink.
struct TextCoverage {
    int width = 0;
    int height = 0;
    int originX = 0; // where the pen started: ink may reach left of it
    std::vector<uint8_t> values;

    uint8_t at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// How the glyphs are made; bold and italic are synthesized where the file lacks them.
struct GlyphStyle {
    bool antialiased = false;
    bool emboldened = false;
    bool slanted = false;
};

class FontFace {
public:
    // Takes over `face`, already sized.
    FontFace(std::shared_ptr<FontLibrary> library, FT_Face face, int ascent, int descent,
             GlyphStyle style);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    std::string familyName() const;
    int ascent() const { return ascentPixels; }
    int descent() const { return descentPixels; }
    int height() const { return ascentPixels + descentPixels; } // the cell
    int pixelsPerEm() const;
    bool antialiased() const { return style.antialiased; }

    // Width of a line of Windows-1252 text: advances plus kerning.
    int measure(const std::string& text) const;
    // The line drawn from its pen start; one bit per pixel (0 or 255) unless antialiased.
    TextCoverage render(const std::string& text) const;

private:
    struct Glyph {
        unsigned index = 0;
        int advance = 0;
        int left = 0; // ink's offset from the pen
        int top = 0;  // ink's top above the baseline
        int width = 0;
        int rows = 0;
        std::vector<uint8_t> coverage;
    };
    const Glyph& glyphOf(char32_t character) const;
    int kerning(unsigned leftIndex, unsigned rightIndex) const;
    // Walks the line glyph by glyph with the pen position of each; gives the final pen.
    template <typename Visit> int layOut(const std::string& text, Visit visit) const;

    std::shared_ptr<FontLibrary> library;
    FT_Face face;
    int ascentPixels;
    int descentPixels;
    GlyphStyle style;
    mutable std::unordered_map<char32_t, Glyph> glyphs;
};

} // namespace luma
