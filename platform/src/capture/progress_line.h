// One line on stderr while a capture runs, rewritten in place: demo time rendered, frames
// per second of rendering and, when the stop time is known, how far and how long still.
// Silent when stderr is not a terminal, so logs and pipes stay clean.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace luma {

// "2:48" for 168.9 seconds.
std::string minutesAndSeconds(double seconds);

class ProgressLine {
public:
    // `endMilliseconds` 0: the end is not known.
    ProgressLine(bool shown, uint64_t endMilliseconds);

    // The program's own word on when it ends; the earlier of it and the stop time counts.
    void expectEnd(uint64_t endMilliseconds);
    void update(uint64_t demoMilliseconds, uint64_t frames);
    // When the run is expected to end, in milliseconds; 0 when not known.
    uint64_t expectedEnd() const { return end; }
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    bool shown;
    bool written = false;
    uint64_t end;
    Clock::time_point started = Clock::now();
    Clock::time_point lastWritten{};
};

} // namespace luma
