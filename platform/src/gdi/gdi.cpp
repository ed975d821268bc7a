// gdi32's device contexts, objects and pixel operations.
#include "gdi/device_context.h"
#include "gdi/gdi_objects.h"
#include "gdi/text_font.h"

#include <cstring>

using namespace luma;

namespace {

// Nearest-pixel stretching, GDI's default: destination pixel i takes source pixel
// i * sourceSize / destSize. Pixels outside either canvas are left alone.
void stretchPixels(Canvas& dest, int destX, int destY, int destWidth, int destHeight,
                   const Canvas& source, int sourceX, int sourceY, int sourceWidth,
                   int sourceHeight) {
    for (int row = 0; row < destHeight; ++row) {
        int y = destY + row;
        int fromY =
            sourceY + static_cast<int>(static_cast<int64_t>(row) * sourceHeight / destHeight);
        if (y < 0 || y >= dest.height() || fromY < 0 || fromY >= source.height())
            continue;
        for (int column = 0; column < destWidth; ++column) {
            int x = destX + column;
            int fromX =
                sourceX + static_cast<int>(static_cast<int64_t>(column) * sourceWidth / destWidth);
            if (x >= 0 && x < dest.width() && fromX >= 0 && fromX < source.width())
                dest.setPixel(x, y, source.pixel(fromX, fromY));
        }
    }
}

} // namespace

LUMA_API HDC WINAPI CreateCompatibleDC(HDC reference) {
    if (reference && !findDeviceContext(reference))
        return nullptr;
    return addDeviceContext(DeviceContext::forMemory());
}

LUMA_API BOOL WINAPI DeleteDC(HDC dc) {
    DeviceContext* context = findDeviceContext(dc);
    // A surface's DC is given back with ReleaseDC, not deleted.
    if (!context || !context->isMemory())
        return FALSE;
    return removeDeviceContext(dc) ? TRUE : FALSE;
}

LUMA_API HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    DeviceContext* context = findDeviceContext(dc);
    GdiObject* selected = findGdiObject(object);
    if (!context || !selected)
        return nullptr;
    if (dynamic_cast<Font*>(selected))
        return selectFont(*context, dc, object);
    if (!dynamic_cast<Bitmap*>(selected))
        return nullptr;
    // A bitmap goes into one memory DC at a time; a surface's DC has its own pixels.
    if (!context->isMemory() || (selected->selectedInto && selected->selectedInto != dc))
        return nullptr;
    HGDIOBJ previous = context->selectedBitmap;
    if (GdiObject* old = findGdiObject(previous); old && old->selectedInto == dc)
        old->selectedInto = nullptr;
    if (object != stockBitmap())
        selected->selectedInto = dc;
    context->selectedBitmap = object;
    return previous;
}

LUMA_API BOOL WINAPI DeleteObject(HGDIOBJ object) { return deleteGdiObject(object) ? TRUE : FALSE; }

LUMA_API int WINAPI GetObjectA(HANDLE object, int size, LPVOID buffer) {
    Bitmap* bitmap = findGdiObjectOf<Bitmap>(object);
    if (!bitmap)
        return 0;
    if (!buffer)
        return sizeof(BITMAP);
    // Callers that pass the 32-bit record's size get every field but the bits pointer.
    if (size < static_cast<int>(offsetof(BITMAP, bmBits)))
        return 0;
    BITMAP description{};
    description.bmType = 0;
    description.bmWidth = bitmap->width();
    description.bmHeight = bitmap->height();
    description.bmWidthBytes = (bitmap->width() * 3 + 3) / 4 * 4;
    description.bmPlanes = 1;
    description.bmBitsPixel = 24;
    description.bmBits = nullptr;
    int copied = size < static_cast<int>(sizeof description) ? size : sizeof description;
    std::memcpy(buffer, &description, static_cast<size_t>(copied));
    return copied;
}

LUMA_API BOOL WINAPI StretchBlt(HDC dest, int destX, int destY, int destWidth, int destHeight,
                                HDC source, int sourceX, int sourceY, int sourceWidth,
                                int sourceHeight, DWORD rop) {
    DeviceContext* to = findDeviceContext(dest);
    DeviceContext* from = findDeviceContext(source);
    if (!to || !from || rop != SRCCOPY)
        return FALSE;
    Canvas* target = to->canvas();
    Canvas* origin = from->canvas();
    // Mirroring by negative sizes is not offered.
    if (!target || !origin || destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 ||
        sourceHeight <= 0)
        return FALSE;
    stretchPixels(*target, destX, destY, destWidth, destHeight, *origin, sourceX, sourceY,
                  sourceWidth, sourceHeight);
    return TRUE;
}

LUMA_API COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
    DeviceContext* context = findDeviceContext(dc);
    Canvas* canvas = context ? context->canvas() : nullptr;
    if (!canvas || !canvas->contains(x, y))
        return CLR_INVALID;
    return canvas->pixel(x, y);
}

LUMA_API COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF colour) {
    DeviceContext* context = findDeviceContext(dc);
    Canvas* canvas = context ? context->canvas() : nullptr;
    if (!canvas || !canvas->contains(x, y))
        return CLR_INVALID;
    canvas->setPixel(x, y, colour);
    // The colour the pixel really shows, as GDI reports it.
    return canvas->pixel(x, y);
}
