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

HeadlessBackend::HeadlessBackend(int rate)
    : framesPerSecond(rate > 0 ? rate : 60),
      stepsPerFrame(VirtualTime::stepsPerFrameAt(framesPerSecond)) {}

// The exact clock's whole milliseconds: frame k always starts at k * 1000 / fps ms.
DWORD HeadlessBackend::ticks() { return static_cast<DWORD>(virtualStart + now().milliseconds()); }

VirtualTime HeadlessBackend::now() const {
    uint64_t stepsPerSecond = static_cast<uint64_t>(framesPerSecond) * stepsPerFrame;
    return {steps * 1000 + extraMilliseconds * stepsPerSecond, framesPerSecond, stepsPerFrame};
}

void HeadlessBackend::clockMoved() {
    if (clockWatcher)
        clockWatcher->clockMoved(displayScreen.lastPage(), now());
}

void HeadlessBackend::advanceStep() {
    ++steps;
    clockMoved();
}

void HeadlessBackend::pagePresented() {
    advanceStep();
    presentedSinceIdle = true;
}

// A turn that drew nothing still takes a step's time, so the music always moves on.
void HeadlessBackend::idleTurn() {
    if (!presentedSinceIdle)
        advanceStep();
    presentedSinceIdle = false;
}

void HeadlessBackend::waitForInput(DWORD) { advanceStep(); }

void HeadlessBackend::sleep(DWORD milliseconds) {
    extraMilliseconds += milliseconds;
    clockMoved();
}

void HeadlessBackend::screenSize(int& width, int& height) {
    width = 640;
    height = 480;
}

} // namespace luma
