// What a device shares with its buffers. Buffers may outlive the device object: they keep
// the state, and their mixer no longer plays once the output is closed.
#pragma once

#include "sound/audio_output.h"
#include "sound/mixer.h"

#include <memory>

namespace luma {

struct DeviceState {
    Mixer mixer;
    std::unique_ptr<AudioOutput> output; // null once the device is released
    int duplicates = 0;                  // duplicates alive now

    void catchUp() {
        if (output)
            output->catchUp();
    }
};

} // namespace luma
