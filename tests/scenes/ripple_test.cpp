#include "pixel_frame_test.h"
#include "screen_buffer.h"

#include "demo_state.h"
#include "scenes/ripple.h"
#include "shared_textures.h"

#include <TBitmap.h>

#include <cmath>
#include <cstdlib>

namespace {

// Texel (u, v) holds u + 256 v: each drawn pixel tells which texel it shows.
TBitmap* NumberedTexture(unsigned int width, unsigned int height) {
    TBitmap* texture = new TBitmap(directDraw);
    texture->width = width;
    texture->height = height;
    texture->rgbData =
        static_cast<unsigned short*>(std::malloc(width * height * sizeof(unsigned short)));
    for (unsigned int v = 0; v < height; v++)
        for (unsigned int u = 0; u < width; u++)
            texture->rgbData[v * width + u] = static_cast<unsigned short>(u + 256 * v);
    return texture;
}

// The texel number of one pixel as the scene is described, in 64-bit arithmetic.
unsigned short DescribedTexel(long long t, long long x, long long y) {
    auto cosine = [](long long i, double amplitude) {
        return (long long)(std::cos((i % 256) * 0.0078125 * 3.141592653589793) * amplitude);
    };
    long long a = t / 3, b = t / 5, c = t / 7;
    long long kx = cosine(a, 64), ky = cosine(a + 64, 64);
    long long dx = cosine(y + b, 16) + 320 - x;
    long long dy = cosine(a + x, 16) + 240 - y;
    long long d = (long long)std::sqrt(16.0 * ((dx * dx + dy * dy) >> 6)) % 256;
    long long u = (b + x + ((d * kx) >> 6)) & 255;
    long long v = (c + y + ((d * ky) >> 6)) & 255;
    return (unsigned short)(u + 256 * v);
}

class RippleTest : public PixelFrameTest {
protected:
    void SetUp() override {
        PixelFrameTest::SetUp();
        tunnelTexture = NumberedTexture(256, 256);
        InitRipple();
    }
    void TearDown() override {
        FreeRipple();
        delete tunnelTexture;
        tunnelTexture = nullptr;
        PixelFrameTest::TearDown();
    }
    ScreenBuffer Render(int time) {
        ScreenBuffer screen;
        DrawRipple(time, screen.data(), ScreenBuffer::pitch);
        return screen;
    }
};

TEST_P(RippleTest, AtTimeZeroTexelsMoveOnlyAlongTheRows) {
    ScreenBuffer screen = Render(0);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen.at(x, y) >> 8, y % 256) << x << ", " << y;
    // (320, 240): centre column 320 + 14, wave 0, so root[196 >> 6] = 6 and u = 320 + 6.
    EXPECT_EQ(screen.at(320, 240), 240 * 256 + (326 % 256));
}

TEST_P(RippleTest, AQuarterTurnLaterOnlyAlongTheColumns) {
    // 192 ms: a = 64, the direction is (0, -64); b = 38.
    ScreenBuffer screen = Render(192);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen.at(x, y) & 255, (38 + x) % 256) << x << ", " << y;
}

TEST_P(RippleTest, FramesAreTheDescribedOnesAndOnlyTheBandIsWritten) {
    for (int t : {0, 192, 5000, 77777, 2147483647}) {
        ScreenBuffer screen = Render(t);
        int mismatches = 0;
        for (int y = 64; y <= 415; y++)
            for (int x = 0; x < 640; x++)
                mismatches += screen.at(x, y) != DescribedTexel(t, x, y);
        EXPECT_EQ(mismatches, 0) << "at " << t << " ms";
        EXPECT_TRUE(screen.untouchedOutsideBand());
    }
}

TEST_P(RippleTest, MissingOrSmallTextureDrawsBlackWhereThereAreNoPixels) {
    delete tunnelTexture;
    tunnelTexture = nullptr;
    ScreenBuffer screen = Render(1000);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen.at(x, y), 0) << x << ", " << y;

    tunnelTexture = NumberedTexture(100, 256);
    screen = Render(1000);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++) {
            unsigned short texel = DescribedTexel(1000, x, y);
            ASSERT_EQ(screen.at(x, y), (texel & 255) < 100 ? texel : 0) << x << ", " << y;
        }
}

TEST_P(RippleTest, FrameShowsTheBandAtItsSceneTime) {
    expectFrameShowsTheRenderersBand(RippleFrame, DrawRipple);
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(RippleTest);

} // namespace
