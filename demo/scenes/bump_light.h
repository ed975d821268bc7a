// Scene 8: a height map lit by a moving spotlight; the palette fades in from white.
#pragma once

// Where the light stands, relative to the map; recomputed every frame.
extern int bumpLightX;
extern int bumpLightY;
extern unsigned short bumpPalette[256];

void InitBumpLight();
void FreeBumpLight();
void BumpLightFrame();

// Rebuilds the palette for the fade; only during the first 1024 ms of scene time.
void FadeBumpPalette(int time, unsigned long graphicsMode);
// Places the light by the tick count `now` (read as unsigned) and draws the map into
// screen rows 64 to 415.
void DrawBumpLight(int now, unsigned short* pixels, int pitch);
