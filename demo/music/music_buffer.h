// The looping DirectSound buffer the music streams into, kept 8000 bytes ahead of its
// write cursor.
#pragma once

#include <dsound.h>

extern unsigned int writePosition; // bytes, always even
extern unsigned int tickPosition;  // bytes (streaming) or milliseconds (timer)

// Creates the half-second buffer, pre-fills it and starts it looping.
void StartMusicBuffer(IDirectSound* device);
// One streaming step: mixes up to the lead, running rows on their exact samples.
void StreamMusic();
