#include "caption.h"

#include "demo_state.h"

#include <TBitmap.h>

#include <windows.h>

#include <cstring>

TBitmap* NewCaption(int height, const char* text) {
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = height;
    font.lfWeight = 700;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "Arial");
    return new TBitmap(directDraw, &font, text, 1);
}
