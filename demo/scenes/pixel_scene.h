// The middle of a pixel scene's frame: the renderer draws straight into the locked back buffer.
#pragma once

typedef void (*SceneRenderer)(int time, unsigned short* pixels, int pitch);

// Locks the display's back buffer, lets the renderer draw the picture of the given scene time
// and unlocks. When the lock fails nothing is drawn; the caller flips either way.
void RenderIntoBackBuffer(SceneRenderer renderer, int time);

// Both pages of the flip chain black: nothing of an earlier scene stays around.
void ClearBothPages();
