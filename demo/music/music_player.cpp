// UpdateMusic: once per idle turn, the music moves on by the clock or by its buffer.
#include "music_player.h"

#include "module.h"
#include "music_buffer.h"
#include "sequencer.h"

#include "../demo_state.h"

bool UpdateMusic() {
    if (SongEnded()) {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        return false;
    }
    if (!musicBuffer) {
        DWORD now = GetTickCount();
        if (now - tickPosition > 120) {
            tickPosition = GetTickCount();
            PlayRow();
        }
        return true;
    }
    StreamMusic();
    return true;
}
