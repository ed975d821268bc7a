// GDI objects (bitmaps now, fonts to come) behind handles that are checked before use.
#pragma once

#include "gdi/canvas.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace luma {

class GdiObject {
public:
    virtual ~GdiObject() = default;
    // The device context it is selected into, if any: such an object cannot be deleted.
    HDC selectedInto = nullptr;
    // Stock objects: DeleteObject succeeds on them but keeps them.
    bool permanent = false;
};

// A device-independent bitmap of 24-bit colours, top row first.
class Bitmap : public GdiObject, public Canvas {
public:
    Bitmap(int width, int height);
    int width() const override { return bitmapWidth; }
    int height() const override { return bitmapHeight; }
    COLORREF pixel(int x, int y) const override;
    void setPixel(int x, int y, COLORREF colour) override;

private:
    int bitmapWidth;
    int bitmapHeight;
    std::vector<COLORREF> colours;
};

HGDIOBJ addGdiObject(std::unique_ptr<GdiObject> object);
GdiObject* findGdiObject(HGDIOBJ handle);
template <class Kind> Kind* findGdiObjectOf(HGDIOBJ handle) {
    return dynamic_cast<Kind*>(findGdiObject(handle));
}
// False for a handle that is not an object, or one that is still selected into a DC.
bool deleteGdiObject(HGDIOBJ handle);
// The 1 x 1 bitmap every memory DC starts with; never deleted.
HGDIOBJ stockBitmap();

} // namespace luma
