// The marker sample's scene and sync bytes, held back until the sound plays their row. The
// streaming path mixes ahead of what is heard; a cut taken at mixing time would show the next
// scene that much before its music.
#pragma once

// Sets `byte` to `value` when the sound reaches the sample the music is mixing now; at once
// where nothing is mixed ahead (no sound buffer).
void CueMarker(unsigned char& byte, unsigned char value);
// Applies, in order, every cue the sound has reached: `playedSamples` counts the samples
// played since the song started.
void PlayCuesUpTo(unsigned long long playedSamples);
// Forgets the cues not yet reached (the song restarts).
void ClearCues();
