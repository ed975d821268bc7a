#include "capture/progress_line.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace luma {

std::string minutesAndSeconds(double seconds) {
    char text[32];
    int whole = static_cast<int>(seconds);
    std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

ProgressLine::ProgressLine(bool show, uint64_t endMilliseconds)
    : shown(show), end(endMilliseconds) {}

void ProgressLine::expectEnd(uint64_t endMilliseconds) {
    if (end == 0 || endMilliseconds < end)
        end = endMilliseconds;
}

void ProgressLine::update(uint64_t demoMilliseconds, uint64_t frames) {
    if (!shown)
        return;
    Clock::time_point now = Clock::now();
    if (written && now - lastWritten < std::chrono::milliseconds(250))
        return;
    lastWritten = now;
    written = true;
    double wallSeconds = std::chrono::duration<double>(now - started).count();
    double demoSeconds = demoMilliseconds / 1000.0;
    double framesPerSecond = wallSeconds > 0 ? frames / wallSeconds : 0;
    std::fprintf(stderr, "\rCapturing: %s of the demo, %.0f frames/s",
                 minutesAndSeconds(demoSeconds).c_str(), framesPerSecond);
    if (end > 0 && demoMilliseconds > 0) {
        double done = std::min(1.0, static_cast<double>(demoMilliseconds) / end);
        double left = wallSeconds * (1 - done) / done;
        std::fprintf(stderr, ", %3.0f %%, %s left", done * 100, minutesAndSeconds(left).c_str());
    }
    std::fprintf(stderr, "\033[K");
    std::fflush(stderr);
}

// The line goes: what the run wrote is said after it.
void ProgressLine::finish() {
    if (written)
        std::fputs("\r\033[K", stderr);
    written = false;
}

} // namespace luma
