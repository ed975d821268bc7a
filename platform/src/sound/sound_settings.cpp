// The sound controls of luma/platform.h.
#include "sound/sound_settings.h"

#include "backends/recorded_run.h"
#include "core/platform.h"

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
    RecordedRun* run = backend().recordedRun();
    static const SoundRecording nothingPlayed;
    const SoundRecording& recording = run ? run->soundPlayed() : nothingPlayed;
    if (samples)
        *samples = recording.samples.data();
    if (rate)
        *rate = recording.rate;
    return static_cast<DWORD>(recording.samples.size());
}
