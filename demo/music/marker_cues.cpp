#include "marker_cues.h"

#include "music_state.h"

void CueMarker(unsigned char& byte, unsigned char value) {
    if (!music.buffer) {
        byte = value;
        return;
    }
    // Full (rows far shorter than the buffer): the oldest cue cannot wait any longer.
    if (music.cueCount == maxMarkerCues)
        PlayCuesUpTo(music.cues[0].sample);
    MarkerCue& cue = music.cues[music.cueCount++];
    cue.sample = music.samplesRendered;
    cue.byte = &byte;
    cue.value = value;
}

void PlayCuesUpTo(unsigned long long playedSamples) {
    int reached = 0;
    while (reached < music.cueCount && music.cues[reached].sample <= playedSamples) {
        *music.cues[reached].byte = music.cues[reached].value;
        ++reached;
    }
    for (int i = reached; i < music.cueCount; ++i)
        music.cues[i - reached] = music.cues[i];
    music.cueCount -= reached;
}

void ClearCues() { music.cueCount = 0; }
