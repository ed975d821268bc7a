#include "timeline.h"

#include "demo_state.h"
#include "scenes/picture_scenes.h"
#include "scenes/plasma.h"
#include "scenes/ripple.h"
#include "scenes/vortex.h"

#include <TDirectDraw.h>

#include <windows.h>

unsigned char sceneByte;
unsigned char syncByte;
TBitmap* lifeTexture;
TBitmap* tunnelTexture;

namespace {

typedef void (*SceneFrame)();

// The scene byte's meaning; the scenes' frames are added here as they are built.
const SceneFrame sceneFrames[9] = {
    WaveStripFrame, // 0
    RingFieldFrame, // 1
    PlasmaFrame,    // 2
    nullptr,        // 3: greetings tunnel
    VortexFrame,    // 4
    nullptr,        // 5: shade bobs
    nullptr,        // 6: photo frame
    RippleFrame,    // 7
    nullptr,        // 8: bump-mapped light
};

} // namespace

// The scenes' set-ups and releases join these two as the scenes are built.
void InitScenes() {
    // Both pages of the flip chain start black.
    directDraw->Flip();
    directDraw->ClearSurface(directDraw->lpBack, 0);
    directDraw->Flip();
    directDraw->ClearSurface(directDraw->lpBack, 0);

    InitPictureScenes();
    InitPlasma();
    InitVortex();
    InitRipple();
}

void FreeScenes() {
    FreeRipple();
    FreePictureScenes();
    FreePlasma();
    FreeVortex();
}

void RunSceneSwitch() {
    if (sceneByte < 9 && sceneFrames[sceneByte])
        sceneFrames[sceneByte]();
}

void ResetSceneClock(SceneClock& clock) {
    clock.sceneTime = 0;
    clock.lastTick = static_cast<int>(GetTickCount());
}

void UpdateSceneClock(SceneClock& clock) {
    int now = static_cast<int>(GetTickCount());
    // Differences in unsigned arithmetic: the tick count may wrap.
    int elapsed = static_cast<int>(static_cast<unsigned int>(now) -
                                   static_cast<unsigned int>(clock.lastTick));
    if (elapsed < 200)
        clock.sceneTime = static_cast<int>(static_cast<unsigned int>(clock.sceneTime) +
                                           static_cast<unsigned int>(elapsed));
    clock.lastTick = now;
}
