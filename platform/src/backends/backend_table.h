// The backends this build has, in order of preference: the first is the default.
#pragma once

#include "backends/backend.h"

#include <string>
#include <vector>

namespace luma {

struct BackendEntry {
    const char* name;        // as LUMA_BACKEND and LumaSelectBackend take it
    const char* description; // one line, for --help
    std::unique_ptr<Backend> (*make)();
};

const std::vector<BackendEntry>& backendTable();

// The entry of that name; null when this build has none.
const BackendEntry* findBackend(const std::string& name);

// The names joined for a message: "sdl, headless".
std::string backendNames();

} // namespace luma
