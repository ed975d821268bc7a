#include "pixel_frame_test.h"

#include "random.h"

#include <windows.h>

#include <algorithm>

namespace {

const unsigned short earlierPicture = 0x1234;

// The page as it should be shown: the earlier picture with the renderer's band over it.
// The noise of the plasma comes from the same seed as the frame's.
ScreenBuffer ExpectedPage(SceneRenderer renderer, int time) {
    ScreenBuffer page;
    std::fill(page.data(), page.data() + ScreenBuffer::pitch * ScreenBuffer::height,
              earlierPicture);
    SeedRandom(5);
    renderer(time, page.data(), ScreenBuffer::pitch);
    return page;
}

int DifferentPixels(const ScreenBuffer& shown, const ScreenBuffer& expected) {
    int different = 0;
    for (int y = 0; y < ScreenBuffer::height; y++)
        for (int x = 0; x < ScreenBuffer::width; x++)
            different += shown.at(x, y) != expected.at(x, y);
    return different;
}

} // namespace

void PixelFrameTest::expectFrameShowsTheRenderersBand(void (*frame)(), SceneRenderer renderer) {
    Sleep(300);
    fillBackBuffer(earlierPicture);
    DWORD firstTick = GetTickCount();
    SeedRandom(5);
    frame();
    ScreenBuffer shown;
    readShownPage(shown);
    EXPECT_EQ(DifferentPixels(shown, ExpectedPage(renderer, 0)), 0) << "first frame";

    Sleep(40);
    fillBackBuffer(earlierPicture);
    int sceneTime = static_cast<int>(GetTickCount() - firstTick);
    ASSERT_LT(sceneTime, 200);
    SeedRandom(5);
    frame();
    readShownPage(shown);
    EXPECT_EQ(DifferentPixels(shown, ExpectedPage(renderer, sceneTime)), 0)
        << "next frame, " << sceneTime << " ms";
}
