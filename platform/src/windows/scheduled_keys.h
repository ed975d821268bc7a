// Key presses that arrive later, at a time on the platform's clock.
#pragma once

#include <windows.h>

namespace luma {

// Posts the scheduled keys whose time has come, in the order they were scheduled.
void deliverScheduledKeys(DWORD elapsed);

} // namespace luma
