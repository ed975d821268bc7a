// Checks the frame of a pixel scene that draws rows 64 to 415: on the shown page after the
// frame's flip, the band is the renderer's picture at the scene time the clock gives, and
// the other rows keep what the page held.
#pragma once

#include "scene_display.h"

#include "scenes/pixel_scene.h"

class PixelFrameTest : public SceneTest {
protected:
    // The frame comes 300 ms after the set-up (scene time 0), the next one shortly after
    // (scene time: the ticks between the two).
    void expectFrameShowsTheRenderersBand(void (*frame)(), SceneRenderer renderer);
};
