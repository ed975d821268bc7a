// Capture of a run on a virtual clock: the video, every frame as a PNG file, the sound as a
// WAV file and screenshots at chosen times. The backend's clock tells it each time it moves.
#pragma once

#include <string>

namespace luma {

struct CaptureRequest {
    std::string videoPath;    // --record
    std::string framesFolder; // --frames
    std::string soundPath;    // --wav
};

} // namespace luma
