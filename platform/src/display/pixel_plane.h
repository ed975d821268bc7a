// The memory behind a surface: rows of 16-bit pixels, `pitch` bytes apart.
#pragma once

#include <windef.h>

#include <cstdint>
#include <memory>

namespace luma {

class PixelPlane {
public:
    // Null when the memory cannot be had.
    static std::unique_ptr<PixelPlane> make(int width, int height, int rowPadding);

    int width() const { return planeWidth; }
    int height() const { return planeHeight; }
    int pitch() const { return rowPitch; }
    uint8_t* row(int y) { return bytes.get() + static_cast<size_t>(y) * rowPitch; }
    const uint8_t* row(int y) const { return bytes.get() + static_cast<size_t>(y) * rowPitch; }
    uint16_t* at(int x, int y) { return reinterpret_cast<uint16_t*>(row(y)) + x; }
    // Whether the rectangle lies inside the plane and is not empty.
    bool holds(const RECT& rect) const;

private:
    PixelPlane(int width, int height, int pitch, std::unique_ptr<uint8_t[]> memory);

    int planeWidth;
    int planeHeight;
    int rowPitch;
    std::unique_ptr<uint8_t[]> bytes;
};

// The pixel work of Blt.
void fillRect(PixelPlane& plane, const RECT& rect, uint16_t pixel);
void copyRect(PixelPlane& dest, const RECT& destRect, const PixelPlane& source,
              const RECT& sourceRect);
// Nearest-pixel scaling of a rectangle into one of another size.
void stretchRect(PixelPlane& dest, const RECT& destRect, const PixelPlane& source,
                 const RECT& sourceRect);

} // namespace luma
