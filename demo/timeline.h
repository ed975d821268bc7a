// The scene framework: set-up and release of all scenes, and the scene switch that the
// scene byte drives.
#pragma once

void InitScenes();
void FreeScenes();
// Calls the frame of the scene that the scene byte names; 9 to 255 call nothing.
void RunSceneSwitch();
