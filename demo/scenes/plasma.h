// Scene 2: the strobing plasma.
#pragma once

void InitPlasma();
void FreePlasma();
void PlasmaFrame();
void DrawPlasma(int time, unsigned short* pixels, int pitch);
