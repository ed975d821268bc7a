// Key messages as the keyboard makes them, and what TranslateMessage makes of keys alone.
#pragma once

#include <windows.h>

#include <string>

namespace luma {

// Posts WM_KEYDOWN (WM_SYSKEYDOWN while Alt is held) carrying the typed characters.
void postKey(HWND window, UINT virtualKey, const std::string& characters, bool alt);

// The control characters of keys that type no text: Return, Escape, Backspace, Tab.
std::string charactersOfKey(UINT virtualKey);

} // namespace luma
