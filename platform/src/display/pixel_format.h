// The two 16-bit pixel layouts a display can have, and colour conversion into and out of them.
#pragma once

#include <ddraw.h>

#include <cstdint>

namespace luma {

enum class PixelLayout { rgb565, rgb555 };

// Masks and bit count as DirectDraw describes a surface's format.
void describePixelFormat(PixelLayout layout, DDPIXELFORMAT& format);

// Nearest pixel for a GDI colour (0x00BBGGRR): each channel keeps its high bits.
uint16_t packColour(PixelLayout layout, COLORREF colour);
// The colour a pixel shows, each channel widened by repeating its high bits.
COLORREF unpackPixel(PixelLayout layout, uint16_t pixel);

} // namespace luma
