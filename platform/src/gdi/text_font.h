// Fonts as GDI objects: made from a LOGFONTA, selected into device contexts for DrawTextA.
#pragma once

#include "gdi/device_context.h"
#include "gdi/gdi_objects.h"
#include "text/font_face.h"

#include <windows.h>

#include <memory>

namespace luma {

class Font : public GdiObject {
public:
    explicit Font(std::unique_ptr<FontFace> face) : face(std::move(face)) {}
    // Null when no font file could be found for the description.
    const FontFace* glyphs() const { return face.get(); }

private:
    std::unique_ptr<FontFace> face;
};

// The font a device context starts with: the system's sans at 16 pixels.
HGDIOBJ stockFont();
// SelectObject for a font: the previous one is given back.
HGDIOBJ selectFont(DeviceContext& context, HDC dc, HGDIOBJ font);

} // namespace luma
