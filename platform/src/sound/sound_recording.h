// What a sound device played since the platform started: mono 16-bit samples at one rate.
#pragma once

#include <windef.h>

#include <cstdint>
#include <vector>

namespace luma {

struct SoundRecording {
    DWORD rate = 0; // 0 until the device has a rate
    std::vector<int16_t> samples;
};

} // namespace luma
