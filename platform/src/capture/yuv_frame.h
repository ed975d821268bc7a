// A captured frame as video encoders take it: yuv420p, BT.601 limited range, as ffmpeg's own
// conversion from RGB makes it. Half the bytes of RGB through the pipe, and the encoder is
// spared the conversion.
#pragma once

#include "display/shown_page.h"

#include <cstdint>
#include <vector>

namespace luma {

struct YuvFrame {
    int width = 0;              // even
    int height = 0;             // even
    std::vector<uint8_t> bytes; // the Y plane, then U and V at half size each way
};

// The shown page centred in a frame of the given size, black around it and before anything
// was shown; one pass over the 16-bit page.
void pageToYuv420(const ShownPage& page, int width, int height, YuvFrame& frame);

} // namespace luma
