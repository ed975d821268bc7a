// Pixels a device context draws on: a bitmap in memory or a display surface.
#pragma once

#include <windef.h>

namespace luma {

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Colours as GDI gives them (0x00BBGGRR); callers keep (x, y) inside.
    virtual COLORREF pixel(int x, int y) const = 0;
    virtual void setPixel(int x, int y, COLORREF colour) = 0;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
};

} // namespace luma
