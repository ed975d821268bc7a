// The pattern sequencer: rows, notes, effects and the timeline's marker sample.
#pragma once

struct MusicChannel {
    const short* sampleData;
    unsigned int length;    // samples
    unsigned int count;     // output samples since the note started
    int volume;             // 0 (silent) to 255
    unsigned int loopStart; // samples; 0: no loop
    int period;
};

const int channelCount = 8;
const int markerSample = 31;

// Silent channels, the song at its first row.
void ResetSequencer();
bool SongEnded();
// Processes the row the row counter names and moves the counter on.
void PlayRow();
