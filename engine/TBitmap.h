// The engine's image: 16-bit pixels packed for the display's graphics mode, with an
// optional 8-bit alpha channel beside them, drawn onto surfaces with Paint and Blend.
#pragma once

#include <windef.h>

#include "LumaExport.h"

class TLumaBase;
class TDirectDraw;
class TDirectFont;
struct IDirectDrawSurface2;
typedef IDirectDrawSurface2* LPSURFACE;
typedef struct tagLOGFONTA LOGFONTA;

class LUMABASE_API TBitmap {
public:
    unsigned int width;
    unsigned int height;
    unsigned char* alphaData;
    unsigned short* rgbData;
    TLumaBase* base;
    TDirectDraw* directDraw;

    // An empty image; a caller may attach a malloc'ed rgbData plane, which it then owns.
    explicit TBitmap(TDirectDraw* directDraw);
    // channels: 0 = colour and alpha, 1 = alpha only, 2 = colour only.
    TBitmap(TDirectDraw* directDraw, const char* fileName, unsigned long channels = 0);
    TBitmap(TDirectDraw* directDraw, IDirectDrawSurface2* surface, RECT& rect);
    TBitmap(TBitmap& source);
    TBitmap(TBitmap& source, RECT& rect);
    // A caption rendered with a system font, supersampled by scale; multiplies
    // font->lfHeight by scale in the caller's structure.
    TBitmap(TDirectDraw* directDraw, LOGFONTA* font, const char* caption, unsigned char scale = 1);
    // Text set in a bitmap font, lines separated by line feeds.
    TBitmap(TDirectDraw* directDraw, TDirectFont* font, const char* text);
    ~TBitmap();

    // colour and alpha of -1 take the image's own channel.
    bool Paint(IDirectDrawSurface2* surface, unsigned long x, unsigned long y, long colour = -1,
               long alpha = -1);
    bool Blend(IDirectDrawSurface2* surface, unsigned long x, unsigned long y,
               unsigned long opacity, long colour = -1, long alpha = -1);

    TBitmap& operator=(const TBitmap&) = delete;
};
