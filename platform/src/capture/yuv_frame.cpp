#include "capture/yuv_frame.h"

#include <algorithm>
#include <array>
#include <memory>

namespace luma {

namespace {

// Every 16-bit pixel's colour as the display shows it, each channel in 10 bits so that four
// pixels' colours add up in place, and its luma.
struct PixelTables {
    std::array<uint32_t, 65536> colour; // red | green << 10 | blue << 20
    std::array<uint8_t, 65536> luma;
};

// BT.601 in limited range, in the integer form with 8 fractional bits.
uint8_t lumaOf(int red, int green, int blue) {
    return static_cast<uint8_t>(((66 * red + 129 * green + 25 * blue + 128) >> 8) + 16);
}
uint8_t blueDifferenceOf(int red, int green, int blue) {
    return static_cast<uint8_t>(((-38 * red - 74 * green + 112 * blue + 128) >> 8) + 128);
}
uint8_t redDifferenceOf(int red, int green, int blue) {
    return static_cast<uint8_t>(((112 * red - 94 * green - 18 * blue + 128) >> 8) + 128);
}

const PixelTables& pixelTables(PixelLayout layout) {
    static const auto build = [](PixelLayout which) {
        auto tables = std::make_unique<PixelTables>();
        for (uint32_t pixel = 0; pixel < 65536; ++pixel) {
            COLORREF colour = unpackPixel(which, static_cast<uint16_t>(pixel));
            uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF,
                     blue = (colour >> 16) & 0xFF;
            tables->colour[pixel] = red | green << 10 | blue << 20;
            tables->luma[pixel] =
                lumaOf(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
        }
        return tables;
    };
    static const std::unique_ptr<PixelTables> rgb565 = build(PixelLayout::rgb565);
    static const std::unique_ptr<PixelTables> rgb555 = build(PixelLayout::rgb555);
    return layout == PixelLayout::rgb565 ? *rgb565 : *rgb555;
}

const uint8_t blackLuma = 16;
const uint8_t noChroma = 128;

} // namespace

void pageToYuv420(const ShownPage& page, int width, int height, YuvFrame& frame) {
    frame.width = width;
    frame.height = height;
    size_t lumaBytes = static_cast<size_t>(width) * height;
    size_t chromaBytes = lumaBytes / 4;
    frame.bytes.resize(lumaBytes + 2 * chromaBytes);
    uint8_t* lumaPlane = frame.bytes.data();
    uint8_t* blueDifference = lumaPlane + lumaBytes;
    uint8_t* redDifference = blueDifference + chromaBytes;
    std::fill(lumaPlane, blueDifference, blackLuma);
    std::fill(blueDifference, frame.bytes.data() + frame.bytes.size(), noChroma);
    if (page.pixels.empty())
        return;
    const PixelTables& tables = pixelTables(page.layout);
    // Whole 2 × 2 blocks of the page, centred on block boundaries.
    int columns = std::min(width, page.width) & ~1;
    int rows = std::min(height, page.height) & ~1;
    int left = ((width - columns) / 2) & ~1;
    int top = ((height - rows) / 2) & ~1;
    int sourceLeft = (page.width - columns) / 2;
    int sourceTop = (page.height - rows) / 2;
    for (int y = 0; y < rows; y += 2) {
        const uint16_t* upper =
            &page.pixels[static_cast<size_t>(sourceTop + y) * page.width + sourceLeft];
        const uint16_t* lower = upper + page.width;
        uint8_t* upperLuma = lumaPlane + static_cast<size_t>(top + y) * width + left;
        uint8_t* lowerLuma = upperLuma + width;
        size_t chromaAt = static_cast<size_t>((top + y) / 2) * (width / 2) + left / 2;
        for (int x = 0; x < columns; x += 2) {
            uint16_t block[4] = {upper[x], upper[x + 1], lower[x], lower[x + 1]};
            upperLuma[x] = tables.luma[block[0]];
            upperLuma[x + 1] = tables.luma[block[1]];
            lowerLuma[x] = tables.luma[block[2]];
            lowerLuma[x + 1] = tables.luma[block[3]];
            uint32_t sum = tables.colour[block[0]] + tables.colour[block[1]] +
                           tables.colour[block[2]] + tables.colour[block[3]];
            int red = ((sum & 0x3FF) + 2) >> 2;
            int green = (((sum >> 10) & 0x3FF) + 2) >> 2;
            int blue = (((sum >> 20) & 0x3FF) + 2) >> 2;
            blueDifference[chromaAt + x / 2] = blueDifferenceOf(red, green, blue);
            redDifference[chromaAt + x / 2] = redDifferenceOf(red, green, blue);
        }
    }
}

} // namespace luma
