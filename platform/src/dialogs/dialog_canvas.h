// A picture in 0xRRGGBB pixels and the few strokes the classic controls are drawn with.
#pragma once

#include "text/font_face.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace luma {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // rows top to bottom

    void resize(int newWidth, int newHeight);
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

class DialogCanvas {
public:
    explicit DialogCanvas(PixelImage& target) : image(target) {}

    void pixel(int x, int y, uint32_t colour);
    void fill(const RECT& area, uint32_t colour);
    // A left-to-right blend from one colour to the other.
    void gradient(const RECT& area, uint32_t left, uint32_t right);
    // A one-pixel frame: top and left edges in one colour, bottom and right in the other.
    void frame(const RECT& area, uint32_t topLeft, uint32_t bottomRight);
    // The dotted keyboard-focus frame.
    void focusFrame(const RECT& area);
    // A line of text with its pen starting at (x, top of the cell), cut to `clip`.
    void text(const TextCoverage& line, int x, int top, uint32_t colour, const RECT& clip);

private:
    PixelImage& image;
};

RECT insetRect(const RECT& area, int by);
bool pointInRect(const RECT& area, int x, int y);

} // namespace luma
