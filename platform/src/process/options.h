// The program's command line on Linux: the platform's options, and the program's own,
// which WinMain receives in its command line as on Windows.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace luma {

struct ProgramOptions {
    bool exitNow = false; // --help, --version or a bad option
    int exitStatus = 0;
    std::string backend;  // "", "sdl" or "headless"
    int soundChoice = -1; // index of the settings dialog's radio button, -1: ask
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

// Parses argv; prints help, version or the error itself.
ProgramOptions parseOptions(const std::vector<std::string>& arguments, const std::string& program);

} // namespace luma
