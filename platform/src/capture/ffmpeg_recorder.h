// A video file made by the ffmpeg program: frames are encoded (H.264, or VP9 for WebM) as
// they come, into a temporary file; at the end the sound is added (AAC, or Opus for WebM)
// in the container the file's extension names, and the result renamed into place.
// Nothing is ever both read from and written to ffmpeg, so it cannot deadlock.
#pragma once

#include "capture/child_process.h"
#include "capture/yuv_frame.h"
#include "capture/video_container.h"

#include <cstdint>
#include <string>
#include <vector>

namespace luma {

class FfmpegRecorder {
public:
    ~FfmpegRecorder();

    // The message for a machine without ffmpeg, or "" when it is there.
    static std::string missingProgramProblem();

    bool start(const std::string& path, int framesPerSecond, int width, int height,
               std::string& problem);
    bool addFrame(const YuvFrame& frame, std::string& problem);
    bool finish(const std::vector<int16_t>& samples, uint32_t rate, std::string& problem);
    // Stops the encoder and removes what was written so far.
    void abandon();

private:
    bool mux(std::string& problem);
    void removeTemporaryFiles();

    ChildProcess encoder;
    const VideoContainer* container = nullptr;
    std::string target;
    std::string videoFile;
    std::string soundFile;
    std::string muxedFile;
};

} // namespace luma
