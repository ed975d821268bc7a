#include "core/stop_request.h"

#include <luma/platform.h>

#include <csignal>

namespace luma {

namespace {

volatile std::sig_atomic_t stopRequests = 0;
volatile std::sig_atomic_t signalsSeen = 0;
volatile std::sig_atomic_t firstSignal = 0;

// The first signal ends the run in order (settings are saved); a second one, for a
// program that does not listen any more, ends it at once.
void onStopSignal(int signalNumber) {
    stopRequests = 1;
    if (!firstSignal)
        firstSignal = signalNumber;
    if (++signalsSeen > 1) {
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
    }
}

} // namespace

void installStopSignals() {
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

bool takeStopRequest() {
    if (!stopRequests)
        return false;
    stopRequests = 0;
    return true;
}

void requestStop() { stopRequests = 1; }

int stopSignal() { return firstSignal; }

} // namespace luma

LUMA_API void LumaRequestStop(void) { luma::requestStop(); }

LUMA_API int LumaStopSignal(void) { return luma::stopSignal(); }
