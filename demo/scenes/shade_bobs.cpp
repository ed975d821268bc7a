#include "shade_bobs.h"

#include "caption.h"

#include "../command_line.h"
#include "../demo_state.h"
#include "../random.h"
#include "../scene_clock.h"

#include <TBitmap.h>
#include <TDirectDraw.h>

#include <cmath>

TBitmap* bobImage;
TBitmap* captionImage;

namespace {

SceneClock bobsClock;

} // namespace

BobPosition ShadeBobPosition(int time, int copy) {
    double d = 32.0 * copy + time;
    return {static_cast<int>(std::sin(d / 311) * 100 + std::cos(d / 511) * 140 + 320 - 16),
            static_cast<int>(std::cos(d / 411) * 100 + std::sin(d / 611) * 60 + 240 - 16)};
}

void InitShadeBobs() {
    SeedRandom(RandomSeed());
    bobImage = new TBitmap(directDraw, "Media\\ShadeBob.tga", 0);
    captionImage = NewCaption(32, "liquid gold");
    ResetSceneClock(bobsClock);
}

void FreeShadeBobs() {
    delete bobImage;
    delete captionImage;
    bobImage = nullptr;
    captionImage = nullptr;
}

void ShadeBobsFrame() {
    UpdateSceneClock(bobsClock);
    directDraw->ClearSurface(directDraw->lpBack, 0);
    // The bob's one colour; an image that failed to load has no pixel to give it.
    long colour =
        bobImage->rgbData && bobImage->width && bobImage->height ? bobImage->rgbData[0] : 0;
    BobPosition position = {0, 0};
    for (int copy = 0; copy <= 14; ++copy) {
        position = ShadeBobPosition(bobsClock.sceneTime, copy);
        bobImage->Blend(directDraw->lpBack, position.x, position.y, 15 * copy, colour, -1);
    }
    bobImage->Paint(directDraw->lpBack, position.x, position.y, colour, -1);
    long r1 = NextRandom() % 3;
    long r2 = NextRandom() % 3;
    captionImage->Paint(directDraw->lpBack, 400 + r2, 347 + r1, 0xFFFF, -1);
    directDraw->Flip();
}
