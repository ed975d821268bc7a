#include "display/display_settings.h"

#include <luma/platform.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace luma {

namespace {

int requestedFormat = 0; // 0: not set by the program
bool wholeNumberScaling = false;

} // namespace

PixelLayout chosenPixelLayout() {
    int format = requestedFormat;
    if (format == 0) {
        const char* fromEnvironment = std::getenv("LUMA_PIXEL_FORMAT");
        if (fromEnvironment && std::strcmp(fromEnvironment, "555") == 0)
            format = 555;
        else if (fromEnvironment && *fromEnvironment && std::strcmp(fromEnvironment, "565") != 0)
            std::fprintf(stderr, "LUMA_PIXEL_FORMAT=%s is not 565 or 555; using 565.\n",
                         fromEnvironment);
    }
    return format == 555 ? PixelLayout::rgb555 : PixelLayout::rgb565;
}

bool integerScaling() { return wholeNumberScaling; }

} // namespace luma

LUMA_API BOOL LumaSetPixelFormat(int format) {
    if (format != 0 && format != 565 && format != 555)
        return FALSE;
    luma::requestedFormat = format;
    return TRUE;
}

LUMA_API void LumaSetIntegerScale(BOOL integerScale) {
    luma::wholeNumberScaling = integerScale != FALSE;
}
