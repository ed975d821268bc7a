// Capture of a headless run: the video, every frame as a PNG file, the sound as a WAV
// file and screenshots at chosen times. The headless clock tells it each time it moves.
#pragma once

#include "backends/headless/headless_screen.h"
#include "backends/headless/virtual_time.h"

#include <string>

namespace luma {

struct CaptureRequest {
    std::string videoPath;    // --record
    std::string framesFolder; // --frames
    std::string soundPath;    // --wav
};

// The clock moved to `now`; `page` is what was on screen since it last moved.
void captureClockMoved(const ShownPage& page, VirtualTime now);

} // namespace luma
