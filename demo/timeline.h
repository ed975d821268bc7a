// The scene framework: set-up and release of all scenes, the scene switch, the scene clock.
#pragma once

class TBitmap;

// The two 256 × 256 textures that several scenes share.
extern TBitmap* lifeTexture;
extern TBitmap* tunnelTexture;

struct SceneClock {
    int lastTick;
    int sceneTime;
};

void InitScenes();
void FreeScenes();
// Calls the frame of the scene that the scene byte names; 9 to 255 call nothing.
void RunSceneSwitch();

// Starts a scene's clock at time 0.
void ResetSceneClock(SceneClock& clock);
// With --hold, sets the clock to the held time (its reading too, for scenes that follow the
// clock itself) and returns true; otherwise leaves it alone.
bool HoldSceneClock(SceneClock& clock);
// Advances a scene's clock by the time since its last frame, unless that was 200 ms or more.
void UpdateSceneClock(SceneClock& clock);
