// The platform's sound controls (luma/platform.h), read by the devices.
#pragma once

#include <windef.h>

namespace luma {

struct SoundSettings {
    int duplicateLimit = -1; // negative: as many duplicates as memory allows
    DWORD headlessRate = 0;  // 0: the rate of the first buffer made
};

SoundSettings& soundSettings();

} // namespace luma
