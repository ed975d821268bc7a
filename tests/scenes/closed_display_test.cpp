// A display that did not open has no back buffer: the scenes draw nothing and go on.
#include "scene_display.h"

#include "demo_state.h"
#include "scenes/pixel_scene.h"
#include "scenes/shade_bobs.h"

#include <TBitmap.h>
#include <TDirectDraw.h>

namespace {

int renderedFrames;

void CountingRenderer(int, unsigned short*, int) { ++renderedFrames; }

class ClosedDisplayTest : public SceneTest {};

TEST_P(ClosedDisplayTest, PixelScenesAndSpritesDrawNothingWithoutABackBuffer) {
    LPSURFACE back = directDraw->lpBack;
    directDraw->lpBack = nullptr;
    renderedFrames = 0;
    RenderIntoBackBuffer(CountingRenderer, 0);
    EXPECT_EQ(renderedFrames, 0);

    // Drawing onto no surface fails as a lock does: a log line, nothing drawn.
    TBitmap* image = plainImage(4, 4, white());
    image->Paint(nullptr, 0, 0);
    image->Blend(nullptr, 0, 0, 128);
    delete image;
    EXPECT_NE(log().find("TBitmap::Paint - SurfaceLock failed!\n\nInvalid object!\n"),
              std::string::npos)
        << log();
    EXPECT_NE(log().find("TBitmap::Blend - SurfaceLock failed!\n  Invalid object!\n"),
              std::string::npos)
        << log();
    directDraw->lpBack = back;

    RenderIntoBackBuffer(CountingRenderer, 0);
    EXPECT_EQ(renderedFrames, 1);
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(ClosedDisplayTest);

} // namespace
