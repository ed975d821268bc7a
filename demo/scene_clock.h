// Each scene's own clock: scene time that runs while the scene is shown and stands still
// while it is away.
#pragma once

struct SceneClock {
    int lastTick;
    int sceneTime;
};

// Starts a scene's clock at time 0.
void ResetSceneClock(SceneClock& clock);
// With --hold, sets the clock to the held time (its reading too, for scenes that follow the
// clock itself) and returns true; otherwise leaves it alone.
bool HoldSceneClock(SceneClock& clock);
// Advances the clock by the time since its last frame and returns true; a gap of 200 ms or
// more means the scene was away and resumes now: the time stands and the result is false.
bool AdvanceSceneClock(SceneClock& clock);
// The step of every scene's frame: held, or advanced.
void UpdateSceneClock(SceneClock& clock);
