// advapi32's registry over the per-user settings file.
#include "registry/settings_file.h"

#include <luma/platform.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

using namespace luma;

namespace {

struct OpenKey {
    std::string path; // lower case, the tree's index
};

class Registry {
public:
    // The store follows the settings path: a program (or a test) that points
    // XDG_CONFIG_HOME elsewhere reads and writes there from then on.
    RegistryTree& tree() {
        std::string path = LumaSettingsPath();
        if (!file || path != loadedPath) {
            file = std::make_unique<SettingsFile>(path);
            contents = file->load();
            loadedPath = path;
        }
        return contents;
    }
    // A change that cannot be saved is not made, here either.
    bool commit(const RegistryChange& change) {
        tree();
        if (!file->save(change))
            return false;
        applyChange(contents, change);
        return true;
    }

    HKEY open(const std::string& path) {
        auto key = std::make_unique<OpenKey>(OpenKey{path});
        HKEY handle = reinterpret_cast<HKEY>(key.get());
        keys.insert(key.release());
        return handle;
    }
    OpenKey* find(HKEY handle) {
        auto found = keys.find(reinterpret_cast<OpenKey*>(handle));
        return found == keys.end() ? nullptr : *found;
    }
    bool close(HKEY handle) {
        OpenKey* key = find(handle);
        if (!key)
            return false;
        keys.erase(key);
        delete key;
        return true;
    }

private:
    std::string loadedPath;
    std::unique_ptr<SettingsFile> file;
    RegistryTree contents; // the file as this run read it, with this run's own changes
    std::set<OpenKey*> keys;
};

Registry& registry() {
    static Registry store;
    return store;
}

// The display path of a handle: a root key's name, or an open key's path.
bool pathOf(HKEY handle, std::string& path) {
    if (handle == HKEY_CURRENT_USER) {
        path = "HKEY_CURRENT_USER";
        return true;
    }
    // A handle opened before the settings moved names a key the tree may no longer hold.
    OpenKey* key = registry().find(handle);
    if (!key)
        return false;
    auto found = registry().tree().find(key->path);
    if (found == registry().tree().end())
        return false;
    path = found->second.path;
    return true;
}

// A line break in a name would break the line of the settings file that holds it.
bool isStorableName(LPCSTR name) { return !name || !std::strpbrk(name, "\r\n"); }

bool joinPath(HKEY parent, LPCSTR subKey, std::string& path) {
    if (!pathOf(parent, path))
        return false;
    std::string child = subKey ? subKey : "";
    while (!child.empty() && child.back() == '\\')
        child.pop_back();
    if (!child.empty())
        path += "\\" + child;
    return true;
}

RegistryKey* keyOf(HKEY handle) {
    OpenKey* key = registry().find(handle);
    if (!key)
        return nullptr;
    auto found = registry().tree().find(key->path);
    return found == registry().tree().end() ? nullptr : &found->second;
}

} // namespace

LUMA_API LSTATUS WINAPI RegCreateKeyExA(HKEY parent, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM,
                                        LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
    std::string path;
    if (!result || !joinPath(parent, subKey, path))
        return ERROR_INVALID_HANDLE;
    if (!isStorableName(subKey))
        return ERROR_INVALID_PARAMETER;
    std::string index = lowerCase(path);
    RegistryTree& tree = registry().tree();
    bool created = tree.find(index) == tree.end();
    if (created && !registry().commit({RegistryChange::createKey, path, {}}))
        return ERROR_ACCESS_DENIED;
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = registry().open(index);
    return ERROR_SUCCESS;
}

LUMA_API LSTATUS WINAPI RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
    std::string path;
    if (!result || !joinPath(parent, subKey, path))
        return ERROR_INVALID_HANDLE;
    std::string index = lowerCase(path);
    if (!registry().tree().count(index))
        return ERROR_FILE_NOT_FOUND;
    *result = registry().open(index);
    return ERROR_SUCCESS;
}

LUMA_API LSTATUS WINAPI RegQueryValueExA(HKEY handle, LPCSTR valueName, LPDWORD, LPDWORD type,
                                         LPBYTE data, LPDWORD dataSize) {
    RegistryKey* key = keyOf(handle);
    if (!key)
        return ERROR_INVALID_HANDLE;
    auto found = key->values.find(lowerCase(valueName ? valueName : ""));
    if (found == key->values.end())
        return ERROR_FILE_NOT_FOUND;
    const RegistryValue& value = found->second;
    // Strings are stored without their terminator and handed out with one.
    DWORD needed = static_cast<DWORD>(value.data.size()) + (value.type == REG_SZ ? 1 : 0);
    if (type)
        *type = value.type;
    if (!data) {
        if (dataSize)
            *dataSize = needed;
        return ERROR_SUCCESS;
    }
    if (!dataSize)
        return ERROR_INVALID_PARAMETER;
    if (*dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value.data.data(), value.data.size());
    if (value.type == REG_SZ)
        data[value.data.size()] = 0;
    *dataSize = needed;
    return ERROR_SUCCESS;
}

LUMA_API LSTATUS WINAPI RegSetValueExA(HKEY handle, LPCSTR valueName, DWORD, DWORD type,
                                       const BYTE* data, DWORD dataSize) {
    if (!isStorableName(valueName))
        return ERROR_INVALID_PARAMETER;
    RegistryKey* key = keyOf(handle);
    if (!key)
        return ERROR_INVALID_HANDLE;
    if (!data && dataSize)
        return ERROR_INVALID_PARAMETER;
    RegistryValue value;
    value.name = valueName ? valueName : "";
    value.type = type;
    value.data.assign(data, data + dataSize);
    if (type == REG_SZ) {
        // The text ends at its first terminator, whatever length was given.
        auto end = std::find(value.data.begin(), value.data.end(), 0);
        value.data.erase(end, value.data.end());
    }
    // A value written back as it was read is no change: the file keeps whatever another
    // run has saved there since.
    auto current = key->values.find(lowerCase(value.name));
    if (current != key->values.end() && current->second.type == value.type &&
        current->second.data == value.data)
        return ERROR_SUCCESS;
    return registry().commit({RegistryChange::setValue, key->path, value}) ? ERROR_SUCCESS
                                                                           : ERROR_ACCESS_DENIED;
}

LUMA_API LSTATUS WINAPI RegDeleteValueA(HKEY handle, LPCSTR valueName) {
    RegistryKey* key = keyOf(handle);
    if (!key)
        return ERROR_INVALID_HANDLE;
    RegistryValue gone;
    gone.name = valueName ? valueName : "";
    if (!key->values.count(lowerCase(gone.name)))
        return ERROR_FILE_NOT_FOUND;
    return registry().commit({RegistryChange::deleteValue, key->path, gone}) ? ERROR_SUCCESS
                                                                             : ERROR_ACCESS_DENIED;
}

LUMA_API LSTATUS WINAPI RegCloseKey(HKEY handle) {
    return registry().close(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LUMA_API const char* LumaSettingsPath(void) {
    // Changed only when the environment points elsewhere, so a caller's pointer stays good.
    static std::string path;
    std::string current;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome == '/') {
        current = configHome;
    } else {
        const char* home = std::getenv("HOME");
        current = std::string(home && *home ? home : ".") + "/.config";
    }
    current += "/LumaPlatform/HKEY_CURRENT_USER.reg";
    if (current != path)
        path = current;
    return path.c_str();
}
