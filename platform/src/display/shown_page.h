// A copy of a page that was on screen, rows packed without padding: what a capture takes.
#pragma once

#include "display/pixel_format.h"

#include <cstdint>
#include <vector>

namespace luma {

struct ShownPage {
    int width = 0;
    int height = 0;
    PixelLayout layout = PixelLayout::rgb565;
    std::vector<uint16_t> pixels;
    uint64_t frameNumber = 0; // how many pages were shown, this one included
};

} // namespace luma
