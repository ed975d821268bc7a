// The page's keys, as the Windows virtual keys and text that the program's messages carry.
#pragma once

#include "backends/backend.h"

#include <string>

namespace luma {

struct PageKey {
    UINT virtualKey = 0;
    std::string text; // Windows-1252: what the key types, empty for named keys
    bool shift = false;
    bool alt = false;
};

// The oldest key pressed on the page that nobody took yet; false when none waits.
bool takePageKey(PageKey& key);

// Hands every key pressed on the page since the last call to `sink`.
void deliverPageKeys(InputSink& sink);

// Drops the keys pressed so far: an Escape pressed while the page loaded must not answer the
// dialog that follows.
void forgetPageKeys();

} // namespace luma
