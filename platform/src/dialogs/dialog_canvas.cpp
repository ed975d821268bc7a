#include "dialogs/dialog_canvas.h"

#include <algorithm>

namespace luma {

namespace {

uint32_t channel(uint32_t colour, int shift) { return (colour >> shift) & 0xFF; }

uint32_t mix(uint32_t under, uint32_t over, uint32_t weight) {
    uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        uint32_t value =
            (channel(over, shift) * weight + channel(under, shift) * (255 - weight) + 127) / 255;
        result |= value << shift;
    }
    return result;
}

RECT clipped(const RECT& area, const PixelImage& image) {
    return RECT{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                std::min<LONG>(area.right, image.width), std::min<LONG>(area.bottom, image.height)};
}

} // namespace

void PixelImage::resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    pixels.assign(static_cast<size_t>(width) * height, 0);
}

RECT insetRect(const RECT& area, int by) {
    return RECT{area.left + by, area.top + by, area.right - by, area.bottom - by};
}

bool pointInRect(const RECT& area, int x, int y) {
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

void DialogCanvas::pixel(int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < image.width && y < image.height)
        image.pixels[static_cast<size_t>(y) * image.width + x] = colour;
}

void DialogCanvas::fill(const RECT& area, uint32_t colour) {
    RECT inside = clipped(area, image);
    for (LONG y = inside.top; y < inside.bottom; ++y)
        std::fill_n(image.pixels.begin() + static_cast<size_t>(y) * image.width + inside.left,
                    std::max<LONG>(inside.right - inside.left, 0), colour);
}

void DialogCanvas::gradient(const RECT& area, uint32_t left, uint32_t right) {
    int span = std::max<int>(area.right - area.left - 1, 1);
    for (LONG x = area.left; x < area.right; ++x) {
        uint32_t weight = static_cast<uint32_t>((x - area.left) * 255 / span);
        fill(RECT{x, area.top, x + 1, area.bottom}, mix(left, right, weight));
    }
}

void DialogCanvas::frame(const RECT& area, uint32_t topLeft, uint32_t bottomRight) {
    fill(RECT{area.left, area.top, area.right - 1, area.top + 1}, topLeft);
    fill(RECT{area.left, area.top, area.left + 1, area.bottom - 1}, topLeft);
    fill(RECT{area.left, area.bottom - 1, area.right, area.bottom}, bottomRight);
    fill(RECT{area.right - 1, area.top, area.right, area.bottom}, bottomRight);
}

// Every other pixel of the frame, on a checkerboard that starts at the top-left corner.
void DialogCanvas::focusFrame(const RECT& area) {
    const uint32_t dot = 0x000000;
    auto dotted = [&](LONG x, LONG y) {
        if ((x - area.left + y - area.top) % 2 == 0)
            pixel(x, y, dot);
    };
    for (LONG x = area.left; x < area.right; ++x) {
        dotted(x, area.top);
        dotted(x, area.bottom - 1);
    }
    for (LONG y = area.top; y < area.bottom; ++y) {
        dotted(area.left, y);
        dotted(area.right - 1, y);
    }
}

void DialogCanvas::text(const TextCoverage& line, int x, int top, uint32_t colour,
                        const RECT& clip) {
    RECT inside = clipped(clip, image);
    int left = x - line.originX;
    for (int row = 0; row < line.height; ++row) {
        int y = top + row;
        if (y < inside.top || y >= inside.bottom)
            continue;
        for (int column = 0; column < line.width; ++column) {
            int px = left + column;
            uint8_t weight = line.at(column, row);
            if (weight == 0 || px < inside.left || px >= inside.right)
                continue;
            uint32_t& target = image.pixels[static_cast<size_t>(y) * image.width + px];
            target = weight == 255 ? colour : mix(target, colour, weight);
        }
    }
}

} // namespace luma
