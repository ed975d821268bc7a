#include "core/platform.h"

#include "backends/backend_table.h"
#include "core/stop_request.h"

#include <luma/platform.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace luma {

namespace {

std::unique_ptr<Backend>& backendSlot() {
    static std::unique_ptr<Backend> slot;
    return slot;
}

DWORD startReading = 0;

// --headless (or LumaSelectBackend), else LUMA_BACKEND, else the table's first.
const BackendEntry& chosenBackend() {
    const BackendEntry& preferred = backendTable().front();
    if (!config().backendName.empty())
        if (const BackendEntry* chosen = findBackend(config().backendName))
            return *chosen;
    const char* fromEnvironment = std::getenv("LUMA_BACKEND");
    if (!fromEnvironment || !*fromEnvironment)
        return preferred;
    if (const BackendEntry* named = findBackend(fromEnvironment))
        return *named;
    std::fprintf(stderr, "LUMA_BACKEND=%s is not a backend of this build (%s); using %s.\n",
                 fromEnvironment, backendNames().c_str(), preferred.name);
    return preferred;
}

} // namespace

Config& config() {
    static Config settings;
    return settings;
}

bool backendStarted() { return backendSlot() != nullptr; }

DWORD startTicks() {
    backend();
    return startReading;
}

Backend& backend() {
    std::unique_ptr<Backend>& slot = backendSlot();
    if (!slot) {
        slot = chosenBackend().make();
        startReading = slot->ticks();
        installStopSignals();
    }
    return *slot;
}

void writeBoxToStderr(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

} // namespace luma

using namespace luma;

LUMA_API BOOL LumaSelectBackend(const char* name) {
    if (!name || !findBackend(name))
        return FALSE;
    if (backendStarted())
        return std::strcmp(backend().name(), name) == 0;
    config().backendName = name;
    return TRUE;
}

LUMA_API const char* LumaBackendName(void) { return backend().name(); }

LUMA_API BOOL LumaBackendAt(int index, const char** name, const char** description) {
    const std::vector<BackendEntry>& table = backendTable();
    if (index < 0 || static_cast<size_t>(index) >= table.size())
        return FALSE;
    if (name)
        *name = table[static_cast<size_t>(index)].name;
    if (description)
        *description = table[static_cast<size_t>(index)].description;
    return TRUE;
}

LUMA_API void LumaAnswerDialogs(const int* controlIds, int count) {
    config().dialogAnswer.assign(controlIds, controlIds + (count > 0 ? count : 0));
    config().dialogsAnswered = count > 0;
}

LUMA_API void LumaProgramEnded(int status) { backend().programEnded(status); }

LUMA_API void LumaStopAt(DWORD milliseconds) {
    config().stopAtSet = true;
    config().stopAt = milliseconds;
}

LUMA_API DWORD LumaElapsed(void) { return backend().ticks() - startTicks(); }

LUMA_API BOOL LumaBackendReady(char* problem, int size) {
    std::string why;
    bool ready = backend().ready(why);
    if (problem && size > 0)
        std::snprintf(problem, static_cast<size_t>(size), "%s", why.c_str());
    return ready ? TRUE : FALSE;
}

LUMA_API void LumaSetFramesPerSecond(int framesPerSecond) {
    if (framesPerSecond > 0)
        config().framesPerSecond = framesPerSecond;
}

LUMA_API void LumaSetWindowed(BOOL windowed) { config().windowed = windowed != FALSE; }
