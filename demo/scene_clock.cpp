#include "scene_clock.h"

#include "command_line.h"

#include <windows.h>

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

bool AdvanceSceneClock(SceneClock& clock) {
    int now = static_cast<int>(GetTickCount());
    // Differences in unsigned arithmetic: the tick count may wrap.
    int elapsed = static_cast<int>(static_cast<unsigned int>(now) -
                                   static_cast<unsigned int>(clock.lastTick));
    bool running = elapsed < 200;
    if (running)
        clock.sceneTime = static_cast<int>(static_cast<unsigned int>(clock.sceneTime) +
                                           static_cast<unsigned int>(elapsed));
    clock.lastTick = now;
    return running;
}

void UpdateSceneClock(SceneClock& clock) {
    if (!HoldSceneClock(clock))
        AdvanceSceneClock(clock);
}
