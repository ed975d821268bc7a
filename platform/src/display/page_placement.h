// What every backend that shows pages needs: pages in 5-6-5 whatever their layout, where the
// page goes on an output of any size with its aspect kept, and the page drawn there at whole
// multiples.
#pragma once

#include "display/screen.h"

#include <cstdint>
#include <vector>

namespace luma {

// Copies a page into `rgb565` with rows packed, converting 5-5-5 pages on the way.
void pageTo565(const Page& page, std::vector<uint16_t>& rgb565);

struct PlacedRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The largest rectangle of the page's aspect that fits the output, centred (black bars
// beside it); with whole numbers only, the largest whole multiple that fits (at least 1).
PlacedRect letterbox(int outputWidth, int outputHeight, int pageWidth, int pageHeight,
                     bool wholeNumbers);

// Whether a placed page is a whole multiple of its size: then nearest-neighbour scaling is
// exact, sharper and cheaper than smoothing.
bool isWholeMultiple(const PlacedRect& placed, int pageWidth, int pageHeight);

// A 32-bit output of 0x00RRGGBB pixels, rows `pitchBytes` apart.
struct RgbOutput {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitchBytes = 0;
};

// Fills `output` with a packed 5-6-5 page placed at a whole multiple of its size (each pixel
// repeated, in the colours the screenshots show) and black around it.
void drawWholeMultiple(const std::vector<uint16_t>& rgb565, int pageWidth, const PlacedRect& placed,
                       const RgbOutput& output);

} // namespace luma
