// Scene 4: the vortex, the shared life texture wrapped around the screen's centre.
#pragma once

void InitVortex();
void FreeVortex();
void VortexFrame();
void DrawVortex(int time, unsigned short* pixels, int pitch);
