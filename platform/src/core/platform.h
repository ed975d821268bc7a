// The process-wide platform: its settings and the backend that serves them.
#pragma once

#include "backends/backend.h"

#include <string>
#include <vector>

namespace luma {

struct Config {
    std::string backendName; // empty: LUMA_BACKEND, else sdl
    bool dialogsAnswered = false;
    std::vector<int> dialogAnswer;
    bool stopAtSet = false;
    DWORD stopAt = 0;
    bool windowed = false;
    int framesPerSecond = 60; // the headless clock's frame
};

Config& config();

// The backend, made on first use; its choice is fixed from then on.
Backend& backend();
bool backendStarted();
// The backend's clock when it started: the zero of demo time.
DWORD startTicks();

// Writes a box that cannot be shown to stderr, so that nothing is lost.
void writeBoxToStderr(const std::string& text, const std::string& caption);

} // namespace luma
