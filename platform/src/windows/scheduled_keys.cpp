#include "windows/scheduled_keys.h"

#include "windows/keyboard.h"

#include <luma/platform.h>

#include <string>
#include <vector>

namespace luma {

namespace {

struct ScheduledKey {
    DWORD at;
    HWND window;
    UINT virtualKey;
    std::string characters;
    bool alt;
};

std::vector<ScheduledKey>& scheduledKeys() {
    static std::vector<ScheduledKey> keys;
    return keys;
}

} // namespace

void deliverScheduledKeys(DWORD elapsed) {
    std::vector<ScheduledKey>& keys = scheduledKeys();
    std::vector<ScheduledKey> due;
    for (auto it = keys.begin(); it != keys.end();) {
        if (it->at <= elapsed) {
            due.push_back(*it);
            it = keys.erase(it);
        } else {
            ++it;
        }
    }
    for (const ScheduledKey& key : due)
        postKey(key.window, key.virtualKey, key.characters, key.alt);
}

} // namespace luma

LUMA_API void LumaPressKeyAt(DWORD milliseconds, HWND window, UINT virtualKey, char character,
                             BOOL alt) {
    std::string characters;
    if (character)
        characters.push_back(character);
    luma::scheduledKeys().push_back({milliseconds, window, virtualKey, characters, alt != FALSE});
}
