#include "pixel_frame_test.h"
#include "screen_buffer.h"

#include "demo_state.h"
#include "scenes/vortex.h"
#include "shared_textures.h"

#include <TBitmap.h>

#include <cmath>
#include <cstdlib>

namespace {

// A 256 × 256 texture whose pixel number n holds n: each drawn pixel tells which texel it
// shows, that is the polar entry plus the offset.
TBitmap* NumberedTexture(unsigned int width, unsigned int height) {
    TBitmap* texture = new TBitmap(directDraw);
    texture->width = width;
    texture->height = height;
    texture->rgbData =
        static_cast<unsigned short*>(std::malloc(width * height * sizeof(unsigned short)));
    for (unsigned int n = 0; n < width * height; n++)
        texture->rgbData[n] = static_cast<unsigned short>(n);
    return texture;
}

class VortexTest : public PixelFrameTest {
protected:
    void SetUp() override {
        PixelFrameTest::SetUp();
        lifeTexture = NumberedTexture(256, 256);
        InitVortex();
    }
    void TearDown() override {
        FreeVortex();
        delete lifeTexture;
        lifeTexture = nullptr;
        PixelFrameTest::TearDown();
    }
    ScreenBuffer Render(int time) {
        ScreenBuffer screen;
        DrawVortex(time, screen.data(), ScreenBuffer::pitch);
        return screen;
    }
};

// The band's top-left corner lies at the normalising distance (distance byte 0) and at the
// angle trunc(acos(176 / √133376.01) × 512 / π) = 174; its mirror below, at 512 − 174.06,
// has angle byte 337 mod 256 = 81.
TEST_P(VortexTest, CornerEntryPlusTheOffsetOfTheSceneTime) {
    // 336 at 0 ms; 256 - 80 + 100 = 276 at 800 ms; 256 + 80 + 200 = 536 at 1600 ms.
    EXPECT_EQ(Render(0).at(0, 64), 174 * 256 + 336);
    EXPECT_EQ(Render(800).at(0, 64), 174 * 256 + 276);
    EXPECT_EQ(Render(1600).at(0, 64), 174 * 256 + 536);
    // Row 64's right half comes from the line computed for y = 416 (table row 352).
    EXPECT_EQ(Render(0).at(639, 64), 81 * 256 + 336);
}

TEST_P(VortexTest, RightHalfMirrorsBelowAndTurnsAboveTheCentreRow) {
    for (int t : {0, 12345}) {
        ScreenBuffer screen = Render(t);
        for (int y = 240; y <= 415; y++)
            for (int x = 0; x < 320; x++)
                ASSERT_EQ(screen.at(639 - x, y), screen.at(x, y)) << t << ": " << x << ", " << y;
        for (int y = 65; y < 240; y++)
            for (int x = 0; x < 320; x++)
                ASSERT_EQ(screen.at(639 - x, y), screen.at(x, 480 - y))
                    << t << ": " << x << ", " << y;
    }
}

TEST_P(VortexTest, OnlyTheBandIsWritten) {
    ScreenBuffer screen = Render(4321);
    EXPECT_TRUE(screen.untouchedOutsideBand());
}

TEST_P(VortexTest, LongSceneTimesKeepTheOffsetDefined) {
    // At 2^31 - 1 ms: cos(...) × 80 + 256 + 268435455.875, taken modulo 65536.
    ScreenBuffer screen = Render(2147483647);
    double offset =
        std::cos(2147483647.0 * 3.141592653589793 * 0.00125) * 80 + 256 + 2147483647.0 * 0.125;
    EXPECT_EQ(screen.at(0, 64),
              static_cast<unsigned short>(174 * 256 + static_cast<long long>(offset)));
}

TEST_P(VortexTest, MissingOrSmallTextureDrawsBlackWhereThereAreNoPixels) {
    delete lifeTexture;
    lifeTexture = nullptr;
    ScreenBuffer screen = Render(0);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen.at(x, y), 0) << x << ", " << y;

    // 200 × 200: the corner's texel (row 175, column 80) exists, its mirror's (row 82,
    // column 80) too; texels from row 200 or column 200 on are black.
    lifeTexture = NumberedTexture(200, 200);
    screen = Render(0);
    EXPECT_EQ(screen.at(0, 64), 175 * 200 + 80);
    EXPECT_EQ(screen.at(639, 64), 82 * 200 + 80);
    bool sawBlack = false;
    for (int x = 0; x < 320; x++)
        sawBlack = sawBlack || screen.at(x, 240) == 0;
    EXPECT_TRUE(sawBlack);
}

TEST_P(VortexTest, FrameShowsTheBandAtItsSceneTime) {
    expectFrameShowsTheRenderersBand(VortexFrame, DrawVortex);
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(VortexTest);

} // namespace
