#include "backends/web/web_pixels.h"

#include <array>

namespace luma {

namespace {

using RgbaTable = std::array<uint32_t, 65536>;

// Every 16-bit pixel as canvas bytes R, G, B, A in memory (WebAssembly is little-endian).
const RgbaTable& rgbaTable(PixelLayout layout) {
    static const auto build = [](PixelLayout which) {
        RgbaTable table{};
        constexpr uint32_t opaque = 0xFF000000;
        for (uint32_t pixel = 0; pixel < 65536; ++pixel)
            table[pixel] = unpackPixel(which, static_cast<uint16_t>(pixel)) | opaque;
        return table;
    };
    static const RgbaTable rgb565 = build(PixelLayout::rgb565);
    static const RgbaTable rgb555 = build(PixelLayout::rgb555);
    return layout == PixelLayout::rgb565 ? rgb565 : rgb555;
}

} // namespace

void pageToRgba(const Page& page, std::vector<uint32_t>& rgba) {
    const RgbaTable& table = rgbaTable(page.layout);
    rgba.resize(static_cast<size_t>(page.width) * page.height);
    uint32_t* out = rgba.data();
    for (int y = 0; y < page.height; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(page.pixels + y * page.pitch);
        for (int x = 0; x < page.width; ++x)
            *out++ = table[row[x]];
    }
}

} // namespace luma
