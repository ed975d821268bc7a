// The command line on Linux: the platform's own options, and the program's, which reach
// WinMain in its command line as they would on Windows.
#pragma once

#include <luma/resources.h>

#include <string>
#include <utility>
#include <vector>

namespace luma {

struct ProgramOptions {
    bool exitNow = false; // --help, --version or a bad option
    int exitStatus = 0;
    std::string backend; // "": LUMA_BACKEND or the default decides
    bool windowedSet = false;
    bool windowed = false;
    bool integerScale = false;
    int pixelFormat = 0; // 565 or 555; 0: LUMA_PIXEL_FORMAT decides
    bool stopAtSet = false;
    unsigned long stopAt = 0;
    int framesPerSecond = 60;
    std::string recordPath;   // --record: video made by ffmpeg
    std::string framesFolder; // --frames: a PNG per frame
    std::string wavPath;      // --wav: the sound played
    std::vector<std::pair<unsigned long, std::string>> screenshots; // --screenshot MS:FILE
    bool resetSettings = false;
    std::string commandLine; // what WinMain receives
};

// Parses argv against the platform's options and the program's own (null: none); prints
// help, version or the error itself. The program's handlers run as their options are read.
ProgramOptions parseOptions(const std::vector<std::string>& arguments, const std::string& program,
                            const LumaProgramOptions* programOptions);

} // namespace luma
