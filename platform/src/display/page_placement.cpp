#include "display/page_placement.h"

#include "display/pixel_format.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace luma {

namespace {

// 5-5-5 to 5-6-5 by table: converting pixel by pixel in a renderer is several times slower.
const std::array<uint16_t, 65536>& rgb555To565() {
    static const std::array<uint16_t, 65536> table = [] {
        std::array<uint16_t, 65536> entries{};
        for (unsigned pixel = 0; pixel < entries.size(); ++pixel) {
            unsigned red = (pixel >> 10) & 0x1F, green = (pixel >> 5) & 0x1F, blue = pixel & 0x1F;
            unsigned green6 = (green << 1) | (green >> 4);
            entries[pixel] = static_cast<uint16_t>(red << 11 | green6 << 5 | blue);
        }
        return entries;
    }();
    return table;
}

// Every 5-6-5 pixel as 0x00RRGGBB.
const std::array<uint32_t, 65536>& rgb565ToRgb() {
    static const std::array<uint32_t, 65536> table = [] {
        std::array<uint32_t, 65536> entries{};
        for (unsigned pixel = 0; pixel < entries.size(); ++pixel) {
            COLORREF colour = unpackPixel(PixelLayout::rgb565, static_cast<uint16_t>(pixel));
            entries[pixel] = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
        }
        return entries;
    }();
    return table;
}

uint32_t* outputRow(const RgbOutput& output, int y) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(output.pixels) +
                                       static_cast<size_t>(y) * output.pitchBytes);
}

} // namespace

void pageTo565(const Page& page, std::vector<uint16_t>& rgb565) {
    rgb565.resize(static_cast<size_t>(page.width) * page.height);
    for (int y = 0; y < page.height; ++y) {
        const uint16_t* in = reinterpret_cast<const uint16_t*>(page.pixels + y * page.pitch);
        uint16_t* out = &rgb565[static_cast<size_t>(y) * page.width];
        if (page.layout == PixelLayout::rgb565) {
            std::memcpy(out, in, static_cast<size_t>(page.width) * 2);
            continue;
        }
        const std::array<uint16_t, 65536>& table = rgb555To565();
        for (int x = 0; x < page.width; ++x)
            out[x] = table[in[x]];
    }
}

PlacedRect letterbox(int outputWidth, int outputHeight, int pageWidth, int pageHeight,
                     bool wholeNumbers) {
    double scale = std::min(static_cast<double>(outputWidth) / pageWidth,
                            static_cast<double>(outputHeight) / pageHeight);
    if (wholeNumbers && scale >= 1)
        scale = static_cast<int>(scale);
    PlacedRect placed;
    placed.width = static_cast<int>(pageWidth * scale + 0.5);
    placed.height = static_cast<int>(pageHeight * scale + 0.5);
    placed.x = (outputWidth - placed.width) / 2;
    placed.y = (outputHeight - placed.height) / 2;
    return placed;
}

bool isWholeMultiple(const PlacedRect& placed, int pageWidth, int pageHeight) {
    if (pageWidth <= 0 || pageHeight <= 0 || placed.width < pageWidth)
        return false;
    int factor = placed.width / pageWidth;
    return placed.width == factor * pageWidth && placed.height == factor * pageHeight;
}

void drawWholeMultiple(const std::vector<uint16_t>& rgb565, int pageWidth, const PlacedRect& placed,
                       const RgbOutput& output) {
    const std::array<uint32_t, 65536>& colours = rgb565ToRgb();
    int factor = placed.width / pageWidth;
    for (int y = 0; y < output.height; ++y) {
        uint32_t* row = outputRow(output, y);
        int pageY = y - placed.y;
        if (pageY < 0 || pageY >= placed.height) {
            std::fill(row, row + output.width, 0u);
            continue;
        }
        // The rows after the first of each repeated row are copies of it.
        if (pageY % factor != 0) {
            std::memcpy(row, outputRow(output, y - 1), static_cast<size_t>(output.width) * 4);
            continue;
        }
        std::fill(row, row + placed.x, 0u);
        const uint16_t* in = &rgb565[static_cast<size_t>(pageY / factor) * pageWidth];
        uint32_t* out = row + placed.x;
        for (int x = 0; x < pageWidth; ++x)
            for (int repeat = 0; repeat < factor; ++repeat)
                *out++ = colours[in[x]];
        std::fill(out, row + output.width, 0u);
    }
}

} // namespace luma
