// Mixing 16-bit pixels channel by channel in the display's two layouts.
#pragma once

#include <cstdint>

// 5-5-5: red in bits 10-14, green 5-9, blue 0-4; bit 15 is dropped by every mix.
struct Layout555 {
    static constexpr unsigned greenMask = 0x1F;
    static constexpr unsigned redShift = 10;
};

// 5-6-5: red in bits 11-15, green 5-10, blue 0-4.
struct Layout565 {
    static constexpr unsigned greenMask = 0x3F;
    static constexpr unsigned redShift = 11;
};

// Each channel becomes (d × (256 − a) + s × a) >> 8; weights add up to 256, so equal
// channels stay as they are and the sum is truncated.
template <class Layout> inline uint16_t mixPixel(uint16_t dest, uint16_t source, unsigned a) {
    unsigned keep = 256 - a;
    unsigned blue = ((dest & 0x1Fu) * keep + (source & 0x1Fu) * a) >> 8;
    unsigned green =
        (((dest >> 5) & Layout::greenMask) * keep + ((source >> 5) & Layout::greenMask) * a) >> 8;
    unsigned red = (((dest >> Layout::redShift) & 0x1Fu) * keep +
                    ((source >> Layout::redShift) & 0x1Fu) * a) >>
                   8;
    return static_cast<uint16_t>(blue | green << 5 | red << Layout::redShift);
}
