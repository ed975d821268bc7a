// The sound controls of luma/platform.h.
#include "sound/sound_settings.h"

#include "backends/headless/headless_audio.h"

#include <luma/platform.h>

namespace luma {

SoundSettings& soundSettings() {
    static SoundSettings settings;
    return settings;
}

} // namespace luma

using namespace luma;

LUMA_API void LumaLimitSoundDuplicates(int count) { soundSettings().duplicateLimit = count; }

LUMA_API void LumaSetHeadlessSoundRate(DWORD rate) { soundSettings().headlessRate = rate; }

LUMA_API DWORD LumaHeadlessSound(const short** samples, DWORD* rate) {
    const HeadlessRecording& recording = headlessRecording();
    if (samples)
        *samples = recording.samples.data();
    if (rate)
        *rate = recording.rate;
    return static_cast<DWORD>(recording.samples.size());
}
