// The platform's BMP loader: LoadImageA from a file, at the picture's own size and stretched.
#include "workspace.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace {

void loadAndRelease(const char* file, int width, int height) {
    HANDLE image = LoadImageA(nullptr, file, IMAGE_BITMAP, width, height,
                              LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (image)
        DeleteObject(image);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzWorkspace workspace;
    const char* file = workspace.writeInput(data, size);
    loadAndRelease(file, 0, 0);
    loadAndRelease(file, 7, 5);
    return 0;
}
