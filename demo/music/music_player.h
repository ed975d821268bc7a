// The music's step of every idle turn.
#pragma once

// False when the song is at its end (the window is then asked to close).
bool UpdateMusic();
