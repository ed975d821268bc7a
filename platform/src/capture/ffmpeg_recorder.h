// A video file made by the ffmpeg program: frames are encoded (H.264, or VP9 for WebM) as
// they come, into a temporary file, and the sound (AAC, or Opus for WebM) by a second ffmpeg
// into another, so that neither waits for the end; at the end both are copied into the
// container the file's extension names, and the result renamed into place. Each ffmpeg only
// reads from us, so none can deadlock.
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
    // The next samples of the sound, mono at `rate` (the rate of the first call holds).
    bool addSound(const int16_t* samples, size_t count, uint32_t rate, std::string& problem);
    // Ends both encodings (a run without sound needs one call of addSound first) and makes
    // the file.
    bool finish(std::string& problem);
    // Stops the encoder and removes what was written so far.
    void abandon();

private:
    bool startSound(uint32_t rate, std::string& problem);
    // An encoder that no longer reads ends the recording, in its own words where it has any.
    bool stopped(ChildProcess& process, const char* which, std::string& problem);
    bool mux(std::string& problem);
    void removeTemporaryFiles();

    ChildProcess encoder;
    ChildProcess soundEncoder;
    const VideoContainer* container = nullptr;
    std::string target;
    std::string videoFile;
    std::string soundFile;
    std::string muxedFile;
};

} // namespace luma
