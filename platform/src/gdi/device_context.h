// Device contexts: a canvas to draw on and the drawing state that GDI keeps with it.
#pragma once

#include "gdi/canvas.h"

#include <windows.h>

#include <memory>

namespace luma {

class PixelPlane;
enum class PixelLayout;

class DeviceContext {
public:
    // A memory DC draws on the bitmap selected into it; a surface DC on its surface.
    static std::unique_ptr<DeviceContext> forMemory();
    static std::unique_ptr<DeviceContext> forSurface(PixelPlane& plane, PixelLayout layout);

    // Null for a memory DC whose bitmap is gone.
    Canvas* canvas();
    bool isMemory() const { return !surfaceCanvas; }

    HGDIOBJ selectedBitmap = nullptr; // memory DCs only
    HGDIOBJ selectedFont = nullptr;
    COLORREF textColour = 0x000000;
    COLORREF backgroundColour = 0xFFFFFF;
    int backgroundMode = OPAQUE;

private:
    std::unique_ptr<Canvas> surfaceCanvas;
};

HDC addDeviceContext(std::unique_ptr<DeviceContext> context);
DeviceContext* findDeviceContext(HDC handle);
// Deselects what the context holds and forgets it; false for an unknown handle.
bool removeDeviceContext(HDC handle);

} // namespace luma
