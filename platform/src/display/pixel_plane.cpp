#include "display/pixel_plane.h"

#include <cstring>
#include <new>
#include <vector>

namespace luma {

namespace {

// Larger surfaces than this are refused: their memory could not be addressed with a
// 32-bit pitch and size anyway.
constexpr int largestSide = 16384;

int widthOf(const RECT& rect) { return rect.right - rect.left; }
int heightOf(const RECT& rect) { return rect.bottom - rect.top; }

} // namespace

std::unique_ptr<PixelPlane> PixelPlane::make(int width, int height, int rowPadding) {
    if (width <= 0 || height <= 0 || width > largestSide || height > largestSide || rowPadding < 0)
        return nullptr;
    // Rows start on 8-byte boundaries, so that a 32-bit read at any pixel stays inside.
    int pitch = (width * 2 + 7) / 8 * 8 + rowPadding;
    std::unique_ptr<uint8_t[]> memory(new (std::nothrow)
                                          uint8_t[static_cast<size_t>(pitch) * height]());
    if (!memory)
        return nullptr;
    return std::unique_ptr<PixelPlane>(new PixelPlane(width, height, pitch, std::move(memory)));
}

PixelPlane::PixelPlane(int width, int height, int pitch, std::unique_ptr<uint8_t[]> memory)
    : planeWidth(width), planeHeight(height), rowPitch(pitch), bytes(std::move(memory)) {}

bool PixelPlane::holds(const RECT& rect) const {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= planeWidth && rect.bottom <= planeHeight;
}

void fillRect(PixelPlane& plane, const RECT& rect, uint16_t pixel) {
    int width = widthOf(rect);
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint16_t* out = plane.at(rect.left, y);
        if (pixel == 0) {
            std::memset(out, 0, static_cast<size_t>(width) * 2);
            continue;
        }
        for (int x = 0; x < width; ++x)
            out[x] = pixel;
    }
}

void copyRect(PixelPlane& dest, const RECT& destRect, const PixelPlane& source,
              const RECT& sourceRect) {
    size_t rowBytes = static_cast<size_t>(widthOf(sourceRect)) * 2;
    int rows = heightOf(sourceRect);
    const uint8_t* first = source.row(sourceRect.top) + sourceRect.left * 2;
    uint8_t* target = dest.row(destRect.top) + destRect.left * 2;
    // Whole rows of planes alike are one block: what lies between them is row padding.
    bool wholeRows = sourceRect.left == 0 && destRect.left == 0 &&
                     sourceRect.right == source.width() && destRect.right == dest.width() &&
                     source.pitch() == dest.pitch();
    if (wholeRows) {
        std::memmove(target, first, static_cast<size_t>(rows - 1) * dest.pitch() + rowBytes);
        return;
    }
    // Within one surface the rows may overlap: walk them in the direction that reads
    // each row before it is overwritten.
    bool upwards = &dest == &source && destRect.top > sourceRect.top;
    for (int i = 0; i < rows; ++i) {
        int y = upwards ? rows - 1 - i : i;
        std::memmove(target + static_cast<ptrdiff_t>(y) * dest.pitch(),
                     first + static_cast<ptrdiff_t>(y) * source.pitch(), rowBytes);
    }
}

void stretchRect(PixelPlane& dest, const RECT& destRect, const PixelPlane& source,
                 const RECT& sourceRect) {
    int destWidth = widthOf(destRect), destHeight = heightOf(destRect);
    int sourceWidth = widthOf(sourceRect), sourceHeight = heightOf(sourceRect);
    // Through a copy of the source rows, so a stretch within one surface reads old pixels.
    std::vector<uint16_t> copy(static_cast<size_t>(sourceWidth) * sourceHeight);
    for (int y = 0; y < sourceHeight; ++y)
        std::memcpy(&copy[static_cast<size_t>(y) * sourceWidth],
                    source.row(sourceRect.top + y) + sourceRect.left * 2,
                    static_cast<size_t>(sourceWidth) * 2);
    for (int y = 0; y < destHeight; ++y) {
        const uint16_t* in =
            &copy[static_cast<size_t>(static_cast<int64_t>(y) * sourceHeight / destHeight) *
                  sourceWidth];
        uint16_t* out = dest.at(destRect.left, destRect.top + y);
        for (int x = 0; x < destWidth; ++x)
            out[x] = in[static_cast<int64_t>(x) * sourceWidth / destWidth];
    }
}

} // namespace luma
