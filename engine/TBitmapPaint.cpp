// Paint and Blend: an image copied, filled or alpha-blended onto a locked surface.
#include "TBitmap.h"

#include "PixelMix.h"
#include "TDirectDraw.h"
#include "TLumaBase.h"

#include <cstring>

namespace {

// The locked rectangle: the image's top-left pixel and the surface's row pitch.
struct Target {
    unsigned char* first;
    long pitch;
    uint16_t* row(unsigned int y) const {
        return reinterpret_cast<uint16_t*>(first + long(y) * pitch);
    }
};

// No scaling: Paint's coverage is the alpha byte itself.
struct Unscaled {
    unsigned operator()(unsigned a) const { return a; }
};

// Blend's coverage: the alpha byte scaled by the overall opacity.
struct Scaled {
    unsigned opacity;
    unsigned operator()(unsigned a) const { return (a * opacity) >> 8; }
};

// Cases A and B: coverage from the image's alpha bytes; source from rgbData (A) or one colour.
template <class Layout, bool ownColour, class Coverage>
void drawPerPixel(const Target& target, const TBitmap& image, uint16_t colour, Coverage coverage) {
    const unsigned char* alpha = image.alphaData;
    const uint16_t* rgb = image.rgbData;
    for (unsigned int y = 0; y < image.height; ++y) {
        uint16_t* dest = target.row(y);
        for (unsigned int x = 0; x < image.width; ++x) {
            unsigned a = coverage(alpha[x]);
            if (a == 0)
                continue;
            uint16_t source = ownColour ? rgb[x] : colour;
            dest[x] = a == 255 ? source : mixPixel<Layout>(dest[x], source, a);
        }
        alpha += image.width;
        if (ownColour)
            rgb += image.width;
    }
}

// Cases C and D with a coverage of 1 to 254.
template <class Layout, bool ownColour>
void drawConstant(const Target& target, const TBitmap& image, uint16_t colour, unsigned a) {
    const uint16_t* rgb = image.rgbData;
    for (unsigned int y = 0; y < image.height; ++y) {
        uint16_t* dest = target.row(y);
        for (unsigned int x = 0; x < image.width; ++x)
            dest[x] = mixPixel<Layout>(dest[x], ownColour ? rgb[x] : colour, a);
        if (ownColour)
            rgb += image.width;
    }
}

// Cases C and D with full coverage: a plain copy or fill, whatever the graphics mode.
void replaceAll(const Target& target, const TBitmap& image, bool ownColour, uint16_t colour) {
    for (unsigned int y = 0; y < image.height; ++y) {
        uint16_t* dest = target.row(y);
        if (ownColour) {
            std::memcpy(dest, image.rgbData + size_t(y) * image.width, image.width * 2u);
        } else {
            for (unsigned int x = 0; x < image.width; ++x)
                dest[x] = colour;
        }
    }
}

template <class Layout, class Coverage>
void drawPerPixelIn(const Target& target, const TBitmap& image, bool ownColour, uint16_t colour,
                    Coverage coverage) {
    if (ownColour)
        drawPerPixel<Layout, true>(target, image, colour, coverage);
    else
        drawPerPixel<Layout, false>(target, image, colour, coverage);
}

template <class Layout>
void drawConstantIn(const Target& target, const TBitmap& image, bool ownColour, uint16_t colour,
                    unsigned a) {
    if (ownColour)
        drawConstant<Layout, true>(target, image, colour, a);
    else
        drawConstant<Layout, false>(target, image, colour, a);
}

// One drawing call: the defaults applied, the case chosen once, the surface locked around it.
class Drawing {
public:
    Drawing(TBitmap& image, long colour, long alpha) : image(image) {
        if (!image.rgbData && colour == -1)
            colour = 0xFFFF;
        if (!image.alphaData && alpha == -1)
            alpha = 255;
        ownColour = colour == -1;
        ownAlpha = alpha == -1;
        this->colour = static_cast<uint16_t>(colour);
        this->alpha = static_cast<unsigned>(alpha);
    }

    // Locks exactly the image's rectangle; the text says which operation failed.
    bool lock(IDirectDrawSurface2* surface, unsigned long x, unsigned long y,
              const char* failureFormat) {
        RECT area = {LONG(x), LONG(y), LONG(x + image.width), LONG(y + image.height)};
        DDSURFACEDESC desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        // No surface (a display that did not open) fails like a surface that cannot be locked.
        HRESULT result =
            surface ? surface->Lock(&area, &desc, DDLOCK_WAIT, nullptr) : DDERR_INVALIDOBJECT;
        if (result != DD_OK) {
            char text[128];
            image.directDraw->getErrorString(result, text);
            image.base->DebugOut(failureFormat, text);
            return false;
        }
        target = {static_cast<unsigned char*>(desc.lpSurface), long(desc.lPitch)};
        return true;
    }

    // Draws with each coverage passed through `coverage`; false for an unknown graphics mode.
    template <class Coverage> bool draw(Coverage coverage) {
        DWORD mode = image.directDraw->dwGraphicsMode;
        if (!ownAlpha) {
            unsigned a = coverage(alpha);
            if (a == 0)
                return true;
            if (a == 255) {
                replaceAll(target, image, ownColour, colour);
                return true;
            }
            if (mode == 1)
                drawConstantIn<Layout555>(target, image, ownColour, colour, a);
            else if (mode == 2)
                drawConstantIn<Layout565>(target, image, ownColour, colour, a);
            else
                return false;
            return true;
        }
        if (mode == 1)
            drawPerPixelIn<Layout555>(target, image, ownColour, colour, coverage);
        else if (mode == 2)
            drawPerPixelIn<Layout565>(target, image, ownColour, colour, coverage);
        else
            return false;
        return true;
    }

private:
    TBitmap& image;
    bool ownColour;
    bool ownAlpha;
    uint16_t colour;
    unsigned alpha;
    Target target = {nullptr, 0};
};

} // namespace

bool TBitmap::Paint(IDirectDrawSurface2* surface, unsigned long x, unsigned long y, long colour,
                    long alpha) {
    if (width == 0 || height == 0)
        return true;
    Drawing drawing(*this, colour, alpha);
    if (!drawing.lock(surface, x, y, "TBitmap::Paint - SurfaceLock failed!\n\n%s\n"))
        return true;
    if (!drawing.draw(Unscaled()))
        base->DebugOut("TBitmap::Paint (...) unknown graphicsmode\n");
    surface->Unlock(nullptr);
    return true;
}

bool TBitmap::Blend(IDirectDrawSurface2* surface, unsigned long x, unsigned long y,
                    unsigned long opacity, long colour, long alpha) {
    if (opacity == 0)
        return true;
    if (opacity == 255)
        return Paint(surface, x, y, colour, alpha);
    if (width == 0 || height == 0)
        return true;
    Drawing drawing(*this, colour, alpha);
    if (!drawing.lock(surface, x, y, "TBitmap::Blend - SurfaceLock failed!\n  %s\n"))
        return true;
    if (!drawing.draw(Scaled{unsigned(opacity)}))
        base->DebugOut("TBitmap::Blend (...) unknown graphicsmode\n");
    surface->Unlock(nullptr);
    return true;
}
