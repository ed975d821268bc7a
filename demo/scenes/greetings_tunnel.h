// Scene 3: a textured tunnel streaming toward the viewer, with the greeting name that the
// music cues trembling at the centre.
#pragma once

class TBitmap;

struct Greeting {
    int x;
    int y;
    const char* text;
    TBitmap* image;
};

extern Greeting greetings[11];

void InitGreetings();
// The set-up's first step: the angle and depth of every pixel of the tunnel's left half.
void BuildTunnelTable();
void FreeGreetings();
void GreetingsFrame();
// Draws the tunnel into screen rows 64 to 415 from `tunnelTexture`.
void DrawGreetingsTunnel(int time, unsigned short* pixels, int pitch);
