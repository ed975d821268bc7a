// Scene 7: the ripple texture, the shared tunnel texture displaced in rings.
#pragma once

void InitRipple();
void FreeRipple();
void RippleFrame();
void DrawRipple(int time, unsigned short* pixels, int pitch);
