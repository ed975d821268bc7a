#include "timeline.h"

#include "command_line.h"
#include "demo_state.h"
#include "scenes/bump_light.h"
#include "scenes/greetings_tunnel.h"
#include "scenes/photo_frame.h"
#include "scenes/picture_scenes.h"
#include "scenes/plasma.h"
#include "scenes/ripple.h"
#include "scenes/shade_bobs.h"
#include "scenes/vortex.h"

#include <TBitmap.h>
#include <TDirectDraw.h>

#include <windows.h>

unsigned char sceneByte;
unsigned char syncByte;
TBitmap* lifeTexture;
TBitmap* tunnelTexture;

namespace {

typedef void (*SceneFrame)();

// The scene byte's meaning.
const SceneFrame sceneFrames[9] = {
    WaveStripFrame,  // 0
    RingFieldFrame,  // 1
    PlasmaFrame,     // 2
    GreetingsFrame,  // 3
    VortexFrame,     // 4
    ShadeBobsFrame,  // 5
    PhotoFrameFrame, // 6
    RippleFrame,     // 7
    BumpLightFrame,  // 8
};

} // namespace

void InitScenes() {
    // Both pages of the flip chain start black.
    directDraw->Flip();
    directDraw->ClearSurface(directDraw->lpBack, 0);
    directDraw->Flip();
    directDraw->ClearSurface(directDraw->lpBack, 0);

    lifeTexture = new TBitmap(directDraw, "Media\\TLife.tga", 0);
    tunnelTexture = new TBitmap(directDraw, "Media\\TTunnel.tga", 0);

    InitPhotoFrame();
    InitPictureScenes();
    InitPlasma();
    InitBumpLight();
    InitGreetings();
    InitVortex();
    InitRipple();
    InitShadeBobs();
}

void FreeScenes() {
    FreeGreetings();
    FreeRipple();
    FreeBumpLight();
    FreePictureScenes();
    FreeShadeBobs();
    FreePlasma();
    FreePhotoFrame();
    FreeVortex();

    delete lifeTexture;
    lifeTexture = 0;
    delete tunnelTexture;
    tunnelTexture = 0;
}

void RunSceneSwitch() {
    // Held, the scene and the sync byte are the programmer's: the music's markers do not move
    // them, but what the scene itself does to the sync byte stands.
    if (Hold().active) {
        sceneByte = Hold().scene;
        syncByte = Hold().sync;
    }
    if (sceneByte < 9)
        sceneFrames[sceneByte]();
    if (Hold().active)
        Hold().sync = syncByte;
}

void ResetSceneClock(SceneClock& clock) {
    clock.sceneTime = 0;
    clock.lastTick = static_cast<int>(GetTickCount());
}

bool HoldSceneClock(SceneClock& clock) {
    if (!Hold().active)
        return false;
    clock.sceneTime = Hold().time;
    clock.lastTick = Hold().time;
    return true;
}

void UpdateSceneClock(SceneClock& clock) {
    if (HoldSceneClock(clock))
        return;
    int now = static_cast<int>(GetTickCount());
    // Differences in unsigned arithmetic: the tick count may wrap.
    int elapsed = static_cast<int>(static_cast<unsigned int>(now) -
                                   static_cast<unsigned int>(clock.lastTick));
    if (elapsed < 200)
        clock.sceneTime = static_cast<int>(static_cast<unsigned int>(clock.sceneTime) +
                                           static_cast<unsigned int>(elapsed));
    clock.lastTick = now;
}
