#include "music_render.h"

#include "marker_cues.h"
#include "mixer.h"
#include "music_state.h"

#include "../demo_state.h"

void RestartMusic() {
    ResetSequencer();
    music.samplesUntilRow = static_cast<unsigned int>(samplesPerRow);
    music.lastRowTicks = 0;
    music.samplesRendered = 0;
    ClearCues();
}

void RenderMusic(short* output, unsigned int samples) {
    const unsigned int rate = static_cast<unsigned int>(sampleRate);
    short dropped[1024];
    while (samples > 0) {
        // Rows need a length: without a rate chosen there is nothing to render.
        if (samplesPerRow <= 0 || rate == 0)
            return;
        if (music.samplesUntilRow == 0) {
            PlayRow();
            music.samplesUntilRow = static_cast<unsigned int>(samplesPerRow);
        }
        unsigned int run = samples < music.samplesUntilRow ? samples : music.samplesUntilRow;
        if (!output && run > sizeof dropped / sizeof dropped[0])
            run = sizeof dropped / sizeof dropped[0];
        MixSamples(output ? output : dropped, run, rate);
        if (output)
            output += run;
        samples -= run;
        music.samplesUntilRow -= run;
        music.samplesRendered += run;
    }
}
