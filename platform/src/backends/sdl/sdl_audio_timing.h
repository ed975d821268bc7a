// How much of what the mixer made an SDL device has not played yet: the device takes a block
// of `period` frames when the one before has nearly drained, so right after a block is made
// the whole block waits, and it drains at the device's rate until the next.
#pragma once

#include <windef.h>

#include <cstdint>

namespace luma {

class AudioTiming {
public:
    AudioTiming(DWORD periodFrames, DWORD rate) : frames(periodFrames), frameRate(rate) {}

    DWORD period() const { return frames; }
    // Frames waiting right after a block is made: the most that is ever queued.
    DWORD latency() const { return frames; }

    // Frames made but not heard at `now`, the last block made at `lastBlock` (0: none yet),
    // both in ticks of `ticksPerSecond`.
    DWORD queued(uint64_t lastBlock, uint64_t now, uint64_t ticksPerSecond) const {
        if (lastBlock == 0 || ticksPerSecond == 0)
            return 0;
        uint64_t elapsed = now > lastBlock ? now - lastBlock : 0;
        uint64_t played = elapsed * frameRate / ticksPerSecond;
        return played >= latency() ? 0 : latency() - static_cast<DWORD>(played);
    }

private:
    DWORD frames;
    DWORD frameRate;
};

} // namespace luma
