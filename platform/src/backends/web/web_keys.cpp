#include "backends/web/web_keys.h"

#include "text/codepage.h"

#include <emscripten.h>

namespace luma {

namespace {

// Keys Windows has no code for still press something: any key ends the demo.
constexpr UINT unassignedKey = 0xFF;
// Room for one character of UTF-8 and its terminator.
constexpr int textBytes = 8;

// A key event's keyCode is the Windows virtual key of that key; 0 where it has none.
EM_JS(bool, takeQueuedKey, (int* virtualKey, char* text, int textSize, bool* shift, bool* alt), {
    const key = Module.pendingKeys.shift();
    if (!key)
        return false;
    HEAP32[virtualKey >> 2] = key.virtualKey;
    stringToUTF8(key.text, text, textSize);
    HEAP8[shift] = key.shift ? 1 : 0;
    HEAP8[alt] = key.alt ? 1 : 0;
    return true;
});

EM_JS(void, clearQueuedKeys, (), { Module.pendingKeys.length = 0; });

} // namespace

bool takePageKey(PageKey& key) {
    int virtualKey = 0;
    char text[textBytes];
    if (!takeQueuedKey(&virtualKey, text, textBytes, &key.shift, &key.alt))
        return false;
    key.virtualKey = virtualKey > 0 ? static_cast<UINT>(virtualKey) : unassignedKey;
    key.text = utf8ToWindows1252(text);
    return true;
}

void deliverPageKeys(InputSink& sink) {
    PageKey key;
    while (takePageKey(key))
        sink.keyDown(key.virtualKey, key.text, key.alt);
}

void forgetPageKeys() { clearQueuedKeys(); }

} // namespace luma
