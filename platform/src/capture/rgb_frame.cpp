#include "capture/rgb_frame.h"

#include <algorithm>
#include <array>

namespace luma {

namespace {

using ColourTable = std::array<std::array<uint8_t, 3>, 65536>;

// Every 16-bit pixel's colour, as the display shows it.
const ColourTable& colourTable(PixelLayout layout) {
    static const auto build = [](PixelLayout which) {
        ColourTable table{};
        for (uint32_t pixel = 0; pixel < 65536; ++pixel) {
            COLORREF colour = unpackPixel(which, static_cast<uint16_t>(pixel));
            table[pixel] = {static_cast<uint8_t>(colour & 0xFF),
                            static_cast<uint8_t>((colour >> 8) & 0xFF),
                            static_cast<uint8_t>((colour >> 16) & 0xFF)};
        }
        return table;
    };
    static const ColourTable rgb565 = build(PixelLayout::rgb565);
    static const ColourTable rgb555 = build(PixelLayout::rgb555);
    return layout == PixelLayout::rgb565 ? rgb565 : rgb555;
}

} // namespace

void pageToRgb(const ShownPage& page, int width, int height, RgbFrame& frame) {
    frame.width = width;
    frame.height = height;
    frame.bytes.assign(static_cast<size_t>(width) * height * 3, 0);
    if (page.pixels.empty())
        return;
    const ColourTable& table = colourTable(page.layout);
    int columns = std::min(width, page.width);
    int rows = std::min(height, page.height);
    int left = (width - columns) / 2;
    int top = (height - rows) / 2;
    int sourceLeft = (page.width - columns) / 2;
    int sourceTop = (page.height - rows) / 2;
    for (int y = 0; y < rows; ++y) {
        const uint16_t* in =
            &page.pixels[static_cast<size_t>(sourceTop + y) * page.width + sourceLeft];
        uint8_t* out = &frame.bytes[(static_cast<size_t>(top + y) * width + left) * 3];
        for (int x = 0; x < columns; ++x, out += 3) {
            const std::array<uint8_t, 3>& colour = table[in[x]];
            out[0] = colour[0];
            out[1] = colour[1];
            out[2] = colour[2];
        }
    }
}

} // namespace luma
