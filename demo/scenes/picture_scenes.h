// Scenes 1 and 0, made from one picture: the ring field and the wave strip.
#pragma once

void InitPictureScenes();
void FreePictureScenes();
void RingFieldFrame();
void WaveStripFrame();
void DrawRingField(int time, unsigned short* pixels, int pitch);
void DrawWaveStrip(int time, unsigned short* pixels, int pitch);
