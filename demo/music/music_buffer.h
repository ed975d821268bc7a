// The streaming path: the looping DirectSound buffer the music plays from, kept 8000 bytes
// ahead of its write cursor with samples from the renderer. The markers it mixes take effect
// as its play cursor reaches them.
#pragma once

#include <dsound.h>

// Creates the half-second buffer, pre-fills it and starts it looping.
void StartMusicBuffer(IDirectSound* device);
// One streaming step: tops the buffer up to the lead and applies the markers now heard.
void StreamMusic();
