// Everything the music player keeps, in one place: the module as loaded, the sequencer's
// channels and position, and where its two output paths stand.
#pragma once

#include "module.h"
#include "sequencer.h"

#include <dsound.h>

// A marker met while mixing ahead: `*byte` becomes `value` when sample `sample` is played.
struct MarkerCue {
    unsigned long long sample; // counted from the song's start
    unsigned char* byte;
    unsigned char value;
};
// Half a second of rows with both markers on every channel.
const int maxMarkerCues = 64;

struct MusicState {
    // The module (module.cpp): header with its sample records converted in place, patterns
    // as in the file, samples widened to 16 bits.
    ModuleHeader header;
    unsigned char* patterns;
    int patternCount;
    short* samples[31];
    // In samples, from the file's words in 32 bits: the header's 16-bit byte counts wrap for
    // samples of 32768 words or more, these do not.
    unsigned int sampleLengths[31]; // as loaded: cut to what the file holds
    unsigned int loopStarts[31];
    unsigned int sampleRecordLengths[31]; // as the records ask

    // The sequencer (sequencer.cpp).
    MusicChannel channels[channelCount];
    int rowCounter; // order position * 64 + row

    // The renderer (music_render.cpp): output samples left before the next row starts, and
    // all it has rendered since the song started.
    unsigned int samplesUntilRow;
    unsigned long long samplesRendered;

    // Markers mixed but not yet heard (marker_cues.cpp), oldest first.
    MarkerCue cues[maxMarkerCues];
    int cueCount;

    // The streaming path (music_buffer.cpp): the looping buffer and where the next sample goes.
    IDirectSoundBuffer* buffer;
    unsigned int writeOffsetBytes; // always even

    // The timer path (music_player.cpp), without sound.
    DWORD lastRowTicks; // GetTickCount when the last row started
};

extern MusicState music;
