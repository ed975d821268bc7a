#include "windows/keyboard.h"

#include "windows/message_queue.h"

namespace luma {

void postKey(HWND window, UINT virtualKey, const std::string& characters, bool alt) {
    if (!window)
        return;
    // Repeat count 1; bit 29 is the context code: Alt was held.
    LPARAM keyData = 1 | (alt ? (static_cast<LPARAM>(1) << 29) : 0);
    PostMessageA(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey,
                 messageQueue().keyDataWithCharacters(keyData, characters));
}

std::string charactersOfKey(UINT virtualKey) {
    switch (virtualKey) {
    case VK_RETURN:
        return "\r";
    case VK_ESCAPE:
        return "\x1b";
    case VK_BACK:
        return "\b";
    case VK_TAB:
        return "\t";
    default:
        return "";
    }
}

} // namespace luma
