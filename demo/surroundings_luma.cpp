// On our platform layer, the capture's progress line takes the song's length.
#include "run_length.h"

#include <luma/platform.h>

void ExpectRunLength(unsigned long milliseconds) {
    LumaExpectRunLength(static_cast<DWORD>(milliseconds));
}
