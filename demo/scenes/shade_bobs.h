// Scene 5: a soft bob flying a looping path with a trail of fading copies, and a trembling
// caption at the lower right.
#pragma once

class TBitmap;

extern TBitmap* bobImage;
extern TBitmap* captionImage;

struct BobPosition {
    int x;
    int y;
};

void InitShadeBobs();
void FreeShadeBobs();
void ShadeBobsFrame();
// The top-left corner of trail copy `copy` (0, the oldest, to 14, the head) at scene time t:
// the path's position 32 x (14 - copy) ms before the head.
BobPosition ShadeBobPosition(int time, int copy);
