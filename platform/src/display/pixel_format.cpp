#include "display/pixel_format.h"

namespace luma {

void describePixelFormat(PixelLayout layout, DDPIXELFORMAT& format) {
    format = DDPIXELFORMAT{};
    format.dwSize = sizeof(DDPIXELFORMAT);
    format.dwFlags = DDPF_RGB;
    format.dwRGBBitCount = 16;
    if (layout == PixelLayout::rgb565) {
        format.dwRBitMask = 0xF800;
        format.dwGBitMask = 0x07E0;
    } else {
        format.dwRBitMask = 0x7C00;
        format.dwGBitMask = 0x03E0;
    }
    format.dwBBitMask = 0x001F;
}

uint16_t packColour(PixelLayout layout, COLORREF colour) {
    unsigned red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    if (layout == PixelLayout::rgb565)
        return static_cast<uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
    return static_cast<uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}

namespace {

unsigned widen5(unsigned value) { return (value << 3) | (value >> 2); }
unsigned widen6(unsigned value) { return (value << 2) | (value >> 4); }

} // namespace

COLORREF unpackPixel(PixelLayout layout, uint16_t pixel) {
    unsigned blue = widen5(pixel & 0x1F);
    if (layout == PixelLayout::rgb565)
        return RGB(widen5(pixel >> 11), widen6((pixel >> 5) & 0x3F), blue);
    return RGB(widen5((pixel >> 10) & 0x1F), widen5((pixel >> 5) & 0x1F), blue);
}

} // namespace luma
