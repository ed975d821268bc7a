#include "timeline.h"

#include "command_line.h"
#include "demo_state.h"
#include "scenes/bump_light.h"
#include "scenes/greetings_tunnel.h"
#include "scenes/photo_frame.h"
#include "scenes/picture_scenes.h"
#include "scenes/pixel_scene.h"
#include "scenes/plasma.h"
#include "scenes/ripple.h"
#include "scenes/shade_bobs.h"
#include "scenes/vortex.h"
#include "shared_textures.h"

unsigned char sceneByte;
unsigned char syncByte;

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
    ClearBothPages();

    LoadSharedTextures();

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
    FreeSharedTextures();
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
