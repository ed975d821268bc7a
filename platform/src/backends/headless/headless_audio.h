// The headless sound device: it plays on the virtual clock into a recording that starts at
// the platform's start, mono 16-bit at one rate, ready to be written out as it is.
#pragma once

#include <windef.h>

#include <cstdint>
#include <vector>

namespace luma {

struct HeadlessRecording {
    DWORD rate = 0; // fixed once: the platform's control, or the first buffer's rate
    std::vector<int16_t> samples;
};

// The recording brought up to the present.
const HeadlessRecording& headlessRecording();

} // namespace luma
