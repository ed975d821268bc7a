// Mixes every playing buffer of a device into its output, under one lock that the
// program's calls and the device's thread share.
#pragma once

#include "sound/mixer_lock.h"
#include "sound/voice.h"

#include <mutex>
#include <vector>

namespace luma {

class Mixer {
public:
    // Held by a buffer operation for its own duration, and by render for one block.
    MixerLock lock;

    // Both with the lock held.
    void add(Voice* voice) { voices.push_back(voice); }
    void remove(Voice* voice);

    // Mono 16-bit frames at `deviceRate`: the sum of the playing voices, clipped.
    void render(int16_t* out, size_t frames, DWORD deviceRate);

    static constexpr size_t blockFrames = 1024;

private:
    std::vector<Voice*> voices;
};

} // namespace luma
