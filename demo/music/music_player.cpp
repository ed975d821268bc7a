// UpdateMusic: once per idle turn, the music moves on by its buffer, or by the clock when
// there is no sound.
#include "music_player.h"

#include "music_buffer.h"
#include "music_state.h"
#include "sequencer.h"

#include "../demo_state.h"

MusicState music;

bool UpdateMusic() {
    if (SongEnded()) {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        return false;
    }
    if (!music.buffer) {
        DWORD now = GetTickCount();
        if (now - music.lastRowTicks > 120) {
            music.lastRowTicks = GetTickCount();
            PlayRow();
        }
        return true;
    }
    StreamMusic();
    return true;
}
