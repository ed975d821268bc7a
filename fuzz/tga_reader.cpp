// The TGA reader: every input read in each of the three channel choices.
#include "engine_host.h"

#include <TBitmap.h>

#include <cstddef>
#include <cstdint>

namespace {

// Reads the first and last pixel of both planes, so that a plane shorter than the picture's
// size is caught.
unsigned touchCorners(const TBitmap& image) {
    size_t pixels = size_t(image.width) * image.height;
    if (pixels == 0)
        return 0;
    unsigned sum = 0;
    if (image.rgbData)
        sum += image.rgbData[0] + image.rgbData[pixels - 1];
    if (image.alphaData)
        sum += image.alphaData[0] + image.alphaData[pixels - 1];
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static EngineHost host(EngineHost::displayOnly);
    const char* file = host.workspace.writeInput(data, size);
    volatile unsigned sink = 0;
    for (unsigned long channels = 0; channels < 3; ++channels) {
        TBitmap image(host.display, file, channels);
        sink = sink + touchCorners(image);
    }
    return 0;
}
