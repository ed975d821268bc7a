#include "backends/backend_table.h"

namespace luma {

// Each backend's folder defines its factory; the build compiles only the folders it has.
std::unique_ptr<Backend> makeSdlBackend();
std::unique_ptr<Backend> makeHeadlessBackend();
std::unique_ptr<Backend> makeWebBackend();

const std::vector<BackendEntry>& backendTable() {
    static const std::vector<BackendEntry> table = {
#ifdef LUMA_HAS_WEB_BACKEND
        {"web", "a canvas in a browser's page and the page's clock", makeWebBackend},
#endif
#ifdef LUMA_HAS_SDL_BACKEND
        {"sdl", "a window (or the full screen), real sound and the real clock", makeSdlBackend},
#endif
        {"headless", "no window and no sound device: a virtual clock, as fast as it goes",
         makeHeadlessBackend},
    };
    return table;
}

const BackendEntry* findBackend(const std::string& name) {
    for (const BackendEntry& entry : backendTable())
        if (name == entry.name)
            return &entry;
    return nullptr;
}

std::string backendNames() {
    std::string names;
    for (const BackendEntry& entry : backendTable())
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    return names;
}

} // namespace luma
