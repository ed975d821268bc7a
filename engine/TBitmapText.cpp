// Images of text: a caption rendered with a system font and supersampled, or text set in a
// bitmap font. Both have alpha and no colour.
#include "TBitmap.h"

#include "TDirectDraw.h"
#include "TDirectFont.h"
#include "TLumaBase.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

unsigned int roundedUpQuotient(unsigned int value, unsigned int divisor) {
    return value / divisor + (value % divisor ? 1 : 0);
}

// Measures the caption with the font on a 1 x 1 surface; false when no surface or DC.
bool measureCaption(TDirectDraw* display, TLumaBase* base, const LOGFONTA& font,
                    const char* caption, RECT& rect) {
    LPSURFACE surface = nullptr;
    if (!display->CreateSurface(surface, 1, 1, nullptr)) {
        base->DebugOut("TBitmap::TBitmap (...) no Surface\n");
        return false;
    }
    HDC dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK) {
        base->DebugOut("TBitmap::TBitmap (...) no HDC\n");
        surface->Release();
        return false;
    }
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, handle);
    rect = {0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(handle);
    surface->ReleaseDC(dc);
    surface->Release();
    return true;
}

// Draws the caption in white on the (black) surface.
void renderCaption(LPSURFACE surface, TLumaBase* base, const LOGFONTA& font, const char* caption,
                   RECT rect) {
    HDC dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK) {
        base->DebugOut("TBitmap::TBitmap (...) no HDC\n");
        return;
    }
    SetTextColor(dc, 0xFFFFFF);
    SetBkMode(dc, TRANSPARENT);
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, handle);
    DrawTextA(dc, caption, -1, &rect, DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(handle);
    surface->ReleaseDC(dc);
}

// Each image pixel counts the exactly white samples of its scale x scale block.
void reduceSamples(TBitmap& image, const DDSURFACEDESC& desc, unsigned int scale,
                   unsigned short white) {
    unsigned int step = 256 / (scale * scale);
    const unsigned char* first = static_cast<const unsigned char*>(desc.lpSurface);
    for (unsigned int y = 0; y < image.height; ++y)
        for (unsigned int x = 0; x < image.width; ++x) {
            unsigned int count = 0;
            for (unsigned int row = y * scale; row < y * scale + scale; ++row) {
                const unsigned short* samples =
                    reinterpret_cast<const unsigned short*>(first + size_t(row) * desc.lPitch);
                for (unsigned int column = x * scale; column < x * scale + scale; ++column)
                    count += samples[column] == white;
            }
            unsigned int alpha = step * count;
            image.alphaData[size_t(y) * image.width + x] =
                static_cast<unsigned char>(alpha > 255 ? 255 : alpha);
        }
}

} // namespace

TBitmap::TBitmap(TDirectDraw* display, LOGFONTA* font, const char* caption, unsigned char scale)
    : TBitmap(display) {
    unsigned int s = scale ? scale : 1;
    RECT measured;
    // The scaled height stays in the caller's structure.
    font->lfHeight *= LONG(s);
    font->lfWidth = 0;
    if (!measureCaption(directDraw, base, *font, caption, measured))
        return;
    width = roundedUpQuotient(unsigned(measured.right), s);
    height = roundedUpQuotient(unsigned(measured.bottom), s);

    LPSURFACE surface = nullptr;
    if (!directDraw->CreateSurface(surface, int(width * s), int(height * s), nullptr)) {
        base->DebugOut("TBitmap::TBitmap (...) no Surface\n");
        width = height = 0;
        return;
    }
    alphaData = static_cast<unsigned char*>(std::calloc(size_t(width) * height, 1));
    if (!alphaData) {
        base->DebugOut("TBitmap::TBitmap(LOGFONT) not enough memory for alpha channel\n");
        surface->Release();
        width = height = 0;
        return;
    }
    directDraw->ClearSurface(surface, 0);
    renderCaption(surface, base, *font, caption, measured);

    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    HRESULT result = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (result == DD_OK) {
        reduceSamples(*this, desc, s, directDraw->wWhite);
        surface->Unlock(nullptr);
    } else {
        char text[128];
        directDraw->getErrorString(result, text);
        base->DebugOut("TBitmap::TBitmap(LOGFONT) - SurfaceLock failed!\n\n%s\n", text);
    }
    surface->Release();
}

TBitmap::TBitmap(TDirectDraw* display, TDirectFont* font, const char* text) : TBitmap(display) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    unsigned int lines = 1;
    for (const unsigned char* c = bytes; *c; ++c)
        lines += *c == '\n';
    width = unsigned(font->getStringWidth(bytes));
    height = lines * unsigned(font->height);
    alphaData = static_cast<unsigned char*>(std::calloc(size_t(width) * height, 1));
    if (!alphaData) {
        width = height = 0;
        base->DebugOut("TBitmap::TBitmap(TDirectFont) not enough memory for alpha channel\n");
        return;
    }
    const unsigned char* glyphs = font->getFontData();
    unsigned int penX = 0;
    unsigned int penY = 0;
    for (const unsigned char* c = bytes; *c; ++c) {
        if (*c == '\n') {
            penX = 0;
            penY += unsigned(font->height);
            continue;
        }
        if (*c < 32)
            continue;
        unsigned int glyphWidth = unsigned(font->getCharWidth(*c));
        // Glyphs of a later line wider than the first are cut at the image's right edge.
        unsigned int visible = penX >= width ? 0 : std::min(glyphWidth, width - penX);
        for (int r = 0; r < font->height && visible; ++r)
            std::memcpy(alphaData + size_t(penY + unsigned(r)) * width + penX,
                        glyphs + font->getCharPos(*c) + size_t(r) * unsigned(font->width), visible);
        penX += glyphWidth;
    }
}
