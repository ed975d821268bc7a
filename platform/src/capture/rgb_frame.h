// A captured frame as files and encoders want it: 8-bit red, green, blue, rows packed.
#pragma once

#include "display/shown_page.h"

#include <cstdint>
#include <vector>

namespace luma {

struct RgbFrame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes; // width * height * 3
};

// The shown page in a frame of the given size: centred, black around it and black before
// anything was shown, so that every frame of a capture has the same size.
void pageToRgb(const ShownPage& page, int width, int height, RgbFrame& frame);

} // namespace luma
