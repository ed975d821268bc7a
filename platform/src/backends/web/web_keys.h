// The page's keys, as the Windows virtual keys and text that the program's messages carry.
#pragma once

#include "backends/backend.h"

namespace luma {

// Hands every key pressed on the page since the last call to `sink`.
void deliverPageKeys(InputSink& sink);

} // namespace luma
