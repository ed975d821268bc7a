// Images: the empty image, copies of surfaces and of other images, and the destructor.
#include "TBitmap.h"

#include "TDirectDraw.h"
#include "TLumaBase.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

TBitmap::TBitmap(TDirectDraw* display)
    : width(0), height(0), alphaData(nullptr), rgbData(nullptr), base(display->lpBase),
      directDraw(display) {}

TBitmap::TBitmap(TDirectDraw* display, IDirectDrawSurface2* surface, RECT& rect)
    : TBitmap(display) {
    size_t columns = size_t(rect.right - rect.left);
    size_t rows = size_t(rect.bottom - rect.top);
    rgbData = static_cast<unsigned short*>(std::malloc(columns * rows * 2));
    if (!rgbData) {
        base->DebugOut("TBitmap::TBitmap(LPSURFACE) - Not enough memory for RGB data!\n");
        return;
    }
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (result != DD_OK) {
        char text[128];
        directDraw->getErrorString(result, text);
        base->DebugOut("TBitmap::TBitmap(LPSURFACE) - SurfaceLock failed!\n\n%s\n", text);
        return;
    }
    // Reading outside the surface's memory is refused rather than risked.
    if (rect.left < 0 || rect.top < 0 || rect.left > rect.right || rect.top > rect.bottom ||
        DWORD(rect.right) > desc.dwWidth || DWORD(rect.bottom) > desc.dwHeight) {
        surface->Unlock(nullptr);
        base->DebugOut("TBitmap::TBitmap(LPSURFACE) - Rectangle outside the surface!\n");
        return;
    }
    width = static_cast<unsigned int>(columns);
    height = static_cast<unsigned int>(rows);
    const unsigned char* first = static_cast<const unsigned char*>(desc.lpSurface);
    for (size_t row = 0; row < rows; ++row)
        std::memcpy(rgbData + row * columns,
                    first + size_t(rect.top + row) * desc.lPitch + size_t(rect.left) * 2,
                    columns * 2);
    surface->Unlock(nullptr);
}

TBitmap::TBitmap(TBitmap& source) : TBitmap(source.directDraw) {
    size_t pixels = size_t(source.width) * source.height;
    if (source.alphaData) {
        alphaData = static_cast<unsigned char*>(std::malloc(pixels));
        if (alphaData) {
            width = source.width;
            height = source.height;
            std::memcpy(alphaData, source.alphaData, pixels);
        } else {
            base->DebugOut(
                "TBitmap::TBitmap(TBitmap&) - Not enough memory for alpha channel (%d bytes)!\n",
                int(pixels));
        }
    }
    if (source.rgbData) {
        rgbData = static_cast<unsigned short*>(std::malloc(pixels * 2));
        if (rgbData) {
            width = source.width;
            height = source.height;
            std::memcpy(rgbData, source.rgbData, pixels * 2);
        } else {
            base->DebugOut(
                "TBitmap::TBitmap(TBitmap&) - Not enough memory for RGB data (%d bytes)!\n",
                int(pixels * 2));
        }
    }
}

namespace {

// Copies the rectangle's rows out of a plane `sourceWidth` elements wide.
template <typename Element>
void copyRows(Element* dest, const Element* source, unsigned int sourceWidth, const RECT& rect,
              unsigned int columns, unsigned int rows) {
    for (unsigned int row = 0; row < rows; ++row)
        std::memcpy(dest + size_t(row) * columns,
                    source + size_t(rect.top + row) * sourceWidth + rect.left,
                    columns * sizeof(Element));
}

// Whether the rectangle, turned right way round, lies inside the image.
bool isInside(const RECT& rect, const TBitmap& image) {
    return rect.left >= 0 && rect.top >= 0 && unsigned(rect.right) <= image.width &&
           unsigned(rect.bottom) <= image.height;
}

} // namespace

TBitmap::TBitmap(TBitmap& source, RECT& given) : TBitmap(source.directDraw) {
    RECT rect = {std::min(given.left, given.right), std::min(given.top, given.bottom),
                 std::max(given.left, given.right), std::max(given.top, given.bottom)};
    width = static_cast<unsigned int>(rect.right - rect.left);
    height = static_cast<unsigned int>(rect.bottom - rect.top);
    // A rectangle reaching past the source keeps its size but copies nothing.
    if (width == 0 || height == 0 || !isInside(rect, source))
        return;
    size_t pixels = size_t(width) * height;
    if (source.alphaData) {
        alphaData = static_cast<unsigned char*>(std::malloc(pixels));
        if (alphaData)
            copyRows(alphaData, source.alphaData, source.width, rect, width, height);
        else
            base->DebugOut("TBitmap::TBitmap(TBitmap&, RECT&) - Not enough memory for alpha "
                           "channel (%d bytes)!\n",
                           int(pixels));
    }
    if (source.rgbData) {
        rgbData = static_cast<unsigned short*>(std::malloc(pixels * 2));
        if (rgbData)
            copyRows(rgbData, source.rgbData, source.width, rect, width, height);
        else
            base->DebugOut("TBitmap::TBitmap(TBitmap&, RECT&) - Not enough memory for RGB data "
                           "(%d bytes)!\n",
                           int(pixels * 2));
    }
}

TBitmap::~TBitmap() {
    std::free(alphaData);
    std::free(rgbData);
    width = 0;
    height = 0;
}
