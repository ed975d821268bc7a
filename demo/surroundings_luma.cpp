// On our platform layer: the capture's progress line takes the song's length, the user's
// terminal is stderr, and media may come from the program's data folder.
#include "surroundings.h"

#include "demo_state.h"

#include <TLumaBase.h>

#include <luma/platform.h>

#include <cstdio>

void ExpectRunLength(unsigned long milliseconds) {
    LumaExpectRunLength(static_cast<DWORD>(milliseconds));
}

void TellUser(const char* text) {
    std::fprintf(stderr, "Glimmerfall: %s\n", text);
    std::fflush(stderr);
}

void LogMediaFolder() {
    if (const char* folder = LumaDataFolderUsed())
        lumaBase->DebugOut("Media from %s\n", folder);
}
