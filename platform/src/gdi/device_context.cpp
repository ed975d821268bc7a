#include "gdi/device_context.h"

#include "display/pixel_format.h"
#include "display/pixel_plane.h"
#include "gdi/gdi_objects.h"

#include <map>

namespace luma {

namespace {

// A surface seen through GDI: colours are converted to and from its pixel layout.
class SurfaceCanvas : public Canvas {
public:
    SurfaceCanvas(PixelPlane& plane, PixelLayout layout) : plane(plane), layout(layout) {}
    int width() const override { return plane.width(); }
    int height() const override { return plane.height(); }
    COLORREF pixel(int x, int y) const override { return unpackPixel(layout, *plane.at(x, y)); }
    void setPixel(int x, int y, COLORREF colour) override {
        *plane.at(x, y) = packColour(layout, colour);
    }

private:
    PixelPlane& plane;
    PixelLayout layout;
};

std::map<HDC, std::unique_ptr<DeviceContext>>& contexts() {
    static std::map<HDC, std::unique_ptr<DeviceContext>> table;
    return table;
}

} // namespace

std::unique_ptr<DeviceContext> DeviceContext::forMemory() {
    auto context = std::make_unique<DeviceContext>();
    context->selectedBitmap = stockBitmap();
    return context;
}

std::unique_ptr<DeviceContext> DeviceContext::forSurface(PixelPlane& plane, PixelLayout layout) {
    auto context = std::make_unique<DeviceContext>();
    context->surfaceCanvas = std::make_unique<SurfaceCanvas>(plane, layout);
    return context;
}

Canvas* DeviceContext::canvas() {
    if (surfaceCanvas)
        return surfaceCanvas.get();
    return findGdiObjectOf<Bitmap>(selectedBitmap);
}

HDC addDeviceContext(std::unique_ptr<DeviceContext> context) {
    HDC handle = reinterpret_cast<HDC>(context.get());
    contexts()[handle] = std::move(context);
    return handle;
}

DeviceContext* findDeviceContext(HDC handle) {
    auto found = contexts().find(handle);
    return found == contexts().end() ? nullptr : found->second.get();
}

bool removeDeviceContext(HDC handle) {
    auto found = contexts().find(handle);
    if (found == contexts().end())
        return false;
    for (HGDIOBJ held : {found->second->selectedBitmap, found->second->selectedFont})
        if (GdiObject* object = findGdiObject(held); object && object->selectedInto == handle)
            object->selectedInto = nullptr;
    contexts().erase(found);
    return true;
}

} // namespace luma
