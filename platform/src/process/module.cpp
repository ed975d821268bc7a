// The program's module: its instance handle and the resources it registered.
#include "process/module.h"

#include <luma/resources.h>

#include <cstring>

namespace luma {

namespace {

// The module handle is this record's address: a handle and nothing more to callers.
struct Module {
    const LumaResources* resources = nullptr;
} programModule;

} // namespace

HINSTANCE programInstance() { return reinterpret_cast<HINSTANCE>(&programModule); }

const LumaResources* resourcesOf(HINSTANCE instance) {
    if (instance != programInstance() && instance != nullptr)
        return nullptr;
    return programModule.resources;
}

const LumaDialogTemplate* findDialog(HINSTANCE instance, LPCSTR name) {
    const LumaResources* resources = resourcesOf(instance);
    if (!resources || !IS_INTRESOURCE(name))
        return nullptr;
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(name));
    for (int i = 0; i < resources->dialogCount; ++i)
        if (resources->dialogs[i].id == id)
            return &resources->dialogs[i];
    return nullptr;
}

} // namespace luma

using namespace luma;

LUMA_API void LumaRegisterResources(const LumaResources* resources) {
    programModule.resources = resources;
}

LUMA_API HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    return moduleName == nullptr ? programInstance() : nullptr;
}

LUMA_API int WINAPI LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0)
        return 0;
    buffer[0] = '\0';
    const LumaResources* resources = resourcesOf(instance);
    if (!resources)
        return 0;
    for (int i = 0; i < resources->stringCount; ++i) {
        if (resources->strings[i].id != id)
            continue;
        // As on Windows: cut to the buffer, always terminated.
        size_t length = std::strlen(resources->strings[i].text);
        size_t copied = length < static_cast<size_t>(bufferMax - 1) ? length : bufferMax - 1;
        std::memcpy(buffer, resources->strings[i].text, copied);
        buffer[copied] = '\0';
        return static_cast<int>(copied);
    }
    return 0;
}
