// One buffer as the mixer sees it: where it plays, how fast and how loud.
#pragma once

#include "sound/sound_data.h"

namespace luma {

struct Voice {
    std::shared_ptr<SoundData> data;
    uint64_t position = 0; // in frames of the data, 32.32 fixed point
    DWORD frequency = 0;   // frames per second
    bool playing = false;
    bool looping = false;
    int32_t gain = unityGain; // volume and pan together, 16.16 fixed point

    static constexpr int32_t unityGain = 1 << 16;
};

// The gain of a volume (hundredths of a decibel, 0 to -10000) and a pan (-10000 left to
// 10000 right) on a mono device: the mean of the two channels' gains.
int32_t gainOf(LONG volume, LONG pan);

// Adds `frames` frames of the voice, resampled to `deviceRate`, to `sum` and moves it on.
// A voice that is not looping stops at its end and goes back to its start.
void mixVoice(Voice& voice, int32_t* sum, size_t frames, DWORD deviceRate);

} // namespace luma
