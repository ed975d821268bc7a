#include "sound/mixer.h"

#include <algorithm>

namespace luma {

void Mixer::remove(Voice* voice) {
    voices.erase(std::remove(voices.begin(), voices.end(), voice), voices.end());
}

void Mixer::render(int16_t* out, size_t frames, DWORD deviceRate) {
    int32_t sum[blockFrames];
    while (frames > 0) {
        size_t block = std::min(frames, blockFrames);
        std::fill(sum, sum + block, 0);
        {
            std::lock_guard<MixerLock> hold(lock);
            for (Voice* voice : voices)
                if (voice->playing)
                    mixVoice(*voice, sum, block, deviceRate);
        }
        for (size_t i = 0; i < block; ++i)
            out[i] = static_cast<int16_t>(std::clamp<int32_t>(sum[i], -32768, 32767));
        out += block;
        frames -= block;
    }
}

} // namespace luma
