// Text output and line input with the engine's bitmap fonts, straight into surface pixels.
#include "TDirectDraw.h"

#include "PixelMix.h"
#include "TDirectFont.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The locked surface, clipped against on every glyph row.
struct Page {
    unsigned char* pixels;
    long pitch;
    int width;
    int height;
};

// Draws one glyph with its top-left at (x, y); the parts outside the page are left out.
template <class Layout>
void drawGlyph(const Page& page, const unsigned char* glyph, int fontWidth, int glyphWidth,
               int glyphHeight, int x, int y, unsigned short colour, unsigned strength) {
    int firstColumn = std::max(0, -x);
    int endColumn = std::min(glyphWidth, page.width - x);
    int firstRow = std::max(0, -y);
    int endRow = std::min(glyphHeight, page.height - y);
    for (int r = firstRow; r < endRow; ++r) {
        const unsigned char* coverage = glyph + long(r) * fontWidth;
        uint16_t* dest = reinterpret_cast<uint16_t*>(page.pixels + long(y + r) * page.pitch) + x;
        for (int i = firstColumn; i < endColumn; ++i) {
            unsigned a = coverage[i];
            if (strength != 255)
                a = (a * strength) >> 8;
            dest[i] = mixPixel<Layout>(dest[i], colour, a);
        }
    }
}

template <class Layout>
int printWith(TDirectFont* font, const Page& page, int x, int y, const unsigned char* text,
              unsigned short colour, unsigned strength) {
    const unsigned char* glyphs = font->getFontData();
    int startX = x;
    const unsigned char* c = text;
    for (; *c; ++c) {
        if (*c == '\n') {
            x = startX;
            y += font->height;
        } else if (*c >= 32) {
            int width = font->getCharWidth(*c);
            if (width)
                drawGlyph<Layout>(page, glyphs + font->getCharPos(*c), font->width, width,
                                  font->height, x, y, colour, strength);
            x += width;
        }
    }
    return int(c - text) + 1;
}

} // namespace

int TDirectDraw::PrintText(TDirectFont* font, LPSURFACE surface, int x, int y, const char* text,
                           unsigned short colour, unsigned char transparency) {
    if (!font || !font->getFontData())
        return 0;
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return 0;
    Page page = {static_cast<unsigned char*>(desc.lpSurface), long(desc.lPitch), int(desc.dwWidth),
                 int(desc.dwHeight)};
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    unsigned strength = 255u - transparency;
    int count = dwGraphicsMode == 1
                    ? printWith<Layout555>(font, page, x, y, bytes, colour, strength)
                    : printWith<Layout565>(font, page, x, y, bytes, colour, strength);
    surface->Unlock(nullptr);
    return count;
}

namespace {

// The off-screen strip that keeps the screen's background behind the input line.
LPSURFACE makeSaveStrip(IDirectDraw* directDraw, int width, int height) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = DWORD(width);
    desc.dwHeight = DWORD(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    LPDIRECTDRAWSURFACE first = nullptr;
    if (directDraw->CreateSurface(&desc, &first, nullptr) != DD_OK || !first)
        return nullptr;
    LPSURFACE strip = nullptr;
    first->QueryInterface(IID_IDirectDrawSurface2, reinterpret_cast<void**>(&strip));
    first->Release();
    return strip;
}

bool isTypedCharacter(unsigned char c) { return (c >= 32 && c <= 126) || c >= 145; }

} // namespace

int TDirectDraw::Input(TDirectFont* font, int x, int y, char* buffer, int maxLength,
                       unsigned short colour) {
    int length = int(std::strlen(buffer));
    int cursor = x + font->getStringWidth(reinterpret_cast<unsigned char*>(buffer));
    // Room for the whole entry text even when it is longer than maxLength.
    char* entry = static_cast<char*>(std::malloc(size_t(std::max(length, maxLength)) + 1));
    if (entry)
        std::strcpy(entry, buffer);
    int lineHeight = font->height;
    int cursorWidth = font->getCharWidth('_');

    DDSURFACEDESC screen;
    std::memset(&screen, 0, sizeof screen);
    screen.dwSize = sizeof screen;
    screen.dwFlags = DDSD_WIDTH;
    lpPrimary->GetSurfaceDesc(&screen);
    int screenWidth = int(screen.dwWidth);

    LPSURFACE strip = makeSaveStrip(lpDD, screenWidth, lineHeight);
    RECT area = CreateRect(x, y, screenWidth - x, lineHeight);
    Blit(strip, 0, 0, lpPrimary, &area, 0);
    PrintText(font, lpPrimary, x, y, buffer, colour, 0);
    PrintText(font, lpPrimary, cursor, y, "_", colour, 0);

    MSG message;
    while (PeekMessageA(&message, hWnd, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    // A closed queue or a lost window ends the input as Return would.
    while (GetMessageA(&message, hWnd, WM_KEYFIRST, WM_KEYLAST) > 0) {
        TranslateMessage(&message);
        if (message.message == WM_KEYDOWN || message.message == WM_KEYUP)
            continue;
        if (message.message != WM_CHAR) {
            DispatchMessageA(&message);
            continue;
        }
        unsigned char c = static_cast<unsigned char>(message.wParam & 0xFF);
        if (c == 13)
            break;
        if (c == 27) {
            if (entry)
                std::strcpy(buffer, entry);
            length = int(std::strlen(buffer));
            break;
        }
        if (c == 8) {
            if (length == 0)
                continue;
            --length;
            int width = font->getCharWidth(static_cast<unsigned char>(buffer[length]));
            cursor -= width;
            RECT piece = CreateRect(cursor - x, 0, width + cursorWidth, lineHeight);
            if (strip)
                Blit(lpPrimary, cursor, y, strip, &piece, 0);
            PrintText(font, lpPrimary, cursor, y, "_", colour, 0);
            continue;
        }
        int width = font->getCharWidth(c);
        if (!isTypedCharacter(c) || width == 0 || length >= maxLength)
            continue;
        RECT piece = CreateRect(cursor - x, 0, cursorWidth, lineHeight);
        if (strip)
            Blit(lpPrimary, cursor, y, strip, &piece, 0);
        buffer[length++] = char(c);
        char typed[3] = {char(c), '_', 0};
        PrintText(font, lpPrimary, cursor, y, typed, colour, 0);
        cursor += width;
    }

    lpDD->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    RECT whole = CreateRect(0, 0, screenWidth - x, lineHeight);
    if (strip)
        Blit(lpPrimary, x, y, strip, &whole, 0);
    buffer[length] = 0;
    PrintText(font, lpPrimary, x, y, buffer, colour, 0);
    if (strip)
        strip->Release();
    std::free(entry);
    return length;
}
