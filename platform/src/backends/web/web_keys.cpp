#include "backends/web/web_keys.h"

#include "text/codepage.h"

#include <emscripten.h>

namespace luma {

namespace {

// Keys Windows has no code for still press something: any key ends the demo.
constexpr int unassignedKey = 0xFF;
// Room for one character of UTF-8 and its terminator.
constexpr int textBytes = 8;

// The oldest waiting key: false when none waits. A key event's keyCode is the Windows
// virtual key of that key; 0 where it has none.
EM_JS(bool, takePageKey, (int* virtualKey, char* text, int textSize, bool* alt), {
    const key = Module.pendingKeys.shift();
    if (!key)
        return false;
    HEAP32[virtualKey >> 2] = key.virtualKey;
    stringToUTF8(key.text, text, textSize);
    HEAP8[alt] = key.alt ? 1 : 0;
    return true;
});

} // namespace

void deliverPageKeys(InputSink& sink) {
    int virtualKey = 0;
    char text[textBytes];
    bool alt = false;
    while (takePageKey(&virtualKey, text, textBytes, &alt))
        sink.keyDown(virtualKey > 0 ? static_cast<UINT>(virtualKey) : unassignedKey,
                     utf8ToWindows1252(text), alt);
}

} // namespace luma
