// A build without capture (LUMA_CAPTURE=OFF): the controls exist, so that programs link the
// same, and a capture asked for is refused before the program starts.
#include <luma/platform.h>

#include <cstdio>

namespace {
bool captureAsked = false;
}

LUMA_API void LumaRecordVideo(const char* path) { captureAsked = captureAsked || (path && *path); }
LUMA_API void LumaWriteFrames(const char* folder) {
    captureAsked = captureAsked || (folder && *folder);
}
LUMA_API void LumaWriteSound(const char* path) { captureAsked = captureAsked || (path && *path); }
LUMA_API void LumaScreenshotAt(DWORD, const char* path) {
    captureAsked = captureAsked || (path && *path);
}
LUMA_API void LumaExpectRunLength(DWORD) {}

LUMA_API BOOL LumaStartCapture(char* problem, int size) {
    if (problem && size > 0)
        std::snprintf(problem, static_cast<size_t>(size), "%s",
                      captureAsked ? "this build of LumaPlatform has no capture (LUMA_CAPTURE=OFF)"
                                   : "");
    return captureAsked ? FALSE : TRUE;
}

LUMA_API BOOL LumaFinishCapture(char* problem, int size) {
    if (problem && size > 0)
        problem[0] = '\0';
    return TRUE;
}
