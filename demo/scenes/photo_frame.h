// Scene 6: an instant photo thrown about over a jittering texture band; the sync byte picks
// the effect inside the picture, darkens the shared texture or shows a caption.
#pragma once

class TBitmap;

extern TBitmap* photoImage;
extern TBitmap* photoCaption;
// The photo frame's top-left corner on the screen, its label strip and the sync byte it
// last followed.
extern int photoX;
extern int photoY;
extern int photoLabel;
extern int photoLastSync;

void InitPhotoFrame();
// The set-up's tables: the two wobble waves and the square roots of the distortion.
void BuildPhotoTables();
void FreePhotoFrame();
void PhotoFrameFrame();
// The locked part of a frame: the background over screen rows 64 to 415 and, while the
// sync byte is below 4, the photo with its picture effect.
void DrawPhotoFrame(int time, unsigned short* pixels, int pitch);
