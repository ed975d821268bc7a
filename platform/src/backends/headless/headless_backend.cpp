#include "backends/headless/headless_backend.h"

#include "core/platform.h"

namespace luma {

namespace {
// The clock does not start at 0, as a machine's uptime does not: code that waits for
// "more than N ms since 0" behaves as on a real machine.
constexpr uint64_t virtualStart = 100000;
} // namespace

std::unique_ptr<Backend> makeHeadlessBackend() {
    return std::make_unique<HeadlessBackend>(config().framesPerSecond);
}

HeadlessBackend::HeadlessBackend(int rate) : framesPerSecond(rate > 0 ? rate : 60) {}

// Whole frames in exact arithmetic, so that frame k always starts at k * 1000 / fps ms.
DWORD HeadlessBackend::ticks() {
    uint64_t milliseconds = frames * 1000 / static_cast<uint64_t>(framesPerSecond);
    return static_cast<DWORD>(virtualStart + milliseconds + extraMilliseconds);
}

VirtualTime HeadlessBackend::now() const {
    return {frames * 1000 + extraMilliseconds * static_cast<uint64_t>(framesPerSecond),
            framesPerSecond};
}

void HeadlessBackend::clockMoved() {
    if (clockWatcher)
        clockWatcher->clockMoved(displayScreen.lastPage(), now());
}

void HeadlessBackend::advanceFrames(uint64_t count) {
    frames += count;
    clockMoved();
}

void HeadlessBackend::framePresented() {
    advanceFrames(1);
    presentedSinceIdle = true;
}

// A turn that drew nothing still takes a frame's time, so the music always moves on.
void HeadlessBackend::idleTurn() {
    if (!presentedSinceIdle)
        advanceFrames(1);
    presentedSinceIdle = false;
}

void HeadlessBackend::waitForInput(DWORD) { advanceFrames(1); }

void HeadlessBackend::sleep(DWORD milliseconds) {
    extraMilliseconds += milliseconds;
    clockMoved();
}

void HeadlessBackend::screenSize(int& width, int& height) {
    width = 640;
    height = 480;
}

} // namespace luma
