#include "gdi/gdi_objects.h"

#include <map>

namespace luma {

Bitmap::Bitmap(int width, int height)
    : bitmapWidth(width), bitmapHeight(height),
      colours(static_cast<size_t>(width) * static_cast<size_t>(height), 0) {}

COLORREF Bitmap::pixel(int x, int y) const {
    return colours[static_cast<size_t>(y) * bitmapWidth + x];
}

void Bitmap::setPixel(int x, int y, COLORREF colour) {
    colours[static_cast<size_t>(y) * bitmapWidth + x] = colour & 0xFFFFFF;
}

namespace {

std::map<HGDIOBJ, std::unique_ptr<GdiObject>>& objects() {
    static std::map<HGDIOBJ, std::unique_ptr<GdiObject>> table;
    return table;
}

} // namespace

HGDIOBJ addGdiObject(std::unique_ptr<GdiObject> object) {
    HGDIOBJ handle = object.get();
    objects()[handle] = std::move(object);
    return handle;
}

GdiObject* findGdiObject(HGDIOBJ handle) {
    auto found = objects().find(handle);
    return found == objects().end() ? nullptr : found->second.get();
}

bool deleteGdiObject(HGDIOBJ handle) {
    auto found = objects().find(handle);
    if (found == objects().end() || found->second->selectedInto)
        return false;
    if (handle == stockBitmap() || found->second->permanent)
        return true;
    objects().erase(found);
    return true;
}

HGDIOBJ stockBitmap() {
    static HGDIOBJ handle = addGdiObject(std::make_unique<Bitmap>(1, 1));
    return handle;
}

} // namespace luma
