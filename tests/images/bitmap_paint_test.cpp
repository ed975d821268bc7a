#include "display_fixture.h"

#include <TBitmap.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

class BitmapPaintTest : public DisplayTest {
protected:
    // An image filled by the caller, as the demo fills one: planes from malloc, owned by it.
    std::unique_ptr<TBitmap> image(unsigned width, unsigned height,
                                   const std::vector<uint16_t>& colours,
                                   const std::vector<uint8_t>& alpha) {
        auto made = std::make_unique<TBitmap>(display);
        made->width = width;
        made->height = height;
        if (!colours.empty()) {
            made->rgbData = static_cast<unsigned short*>(std::malloc(colours.size() * 2));
            std::memcpy(made->rgbData, colours.data(), colours.size() * 2);
        }
        if (!alpha.empty()) {
            made->alphaData = static_cast<unsigned char*>(std::malloc(alpha.size()));
            std::memcpy(made->alphaData, alpha.data(), alpha.size());
        }
        return made;
    }

    uint16_t white() const { return is565() ? 0xFFFF : 0x7FFF; }

    // A 4 x 4 surface of one pixel value.
    LPSURFACE canvas(uint16_t pixel) {
        LPSURFACE surface = makeSurface(4, 4);
        fill(surface, pixel);
        return surface;
    }
};

TEST_P(BitmapPaintTest, ConstantHalfCoverageGivesTheTruncatedMean) {
    auto sized = image(1, 1, {}, {});
    LPSURFACE surface = canvas(0x0000);
    sized->Paint(surface, 1, 1, white(), 128);
    // Each channel of white, halved and truncated: 31 → 15, and 63 → 31 in 5-6-5.
    EXPECT_EQ(pixelAt(surface, 1, 1), is565() ? 0x7BEF : 0x3DEF);
    EXPECT_EQ(pixelAt(surface, 0, 1), 0x0000);
    EXPECT_EQ(newLog(), "");
}

TEST_P(BitmapPaintTest, ImageAlphaSkipsCopiesAndBlends) {
    auto picture = image(4, 1, {0x001F, 0x001F, 0x001F, white()}, {0, 255, 128, 1});
    LPSURFACE surface = canvas(0x0000);
    EXPECT_TRUE(picture->Paint(surface, 0, 2));
    EXPECT_EQ(pixelAt(surface, 0, 2), 0x0000);
    EXPECT_EQ(pixelAt(surface, 1, 2), 0x001F);
    EXPECT_EQ(pixelAt(surface, 2, 2), 0x000F);
    // 31 × 1 / 256 truncates to nothing.
    EXPECT_EQ(pixelAt(surface, 3, 2), 0x0000);

    // Case B: one colour through the image's alpha.
    picture->Paint(surface, 0, 3, 0x0010, -1);
    EXPECT_EQ(pixelAt(surface, 0, 3), 0x0000);
    EXPECT_EQ(pixelAt(surface, 1, 3), 0x0010);
    EXPECT_EQ(pixelAt(surface, 2, 3), 0x0008);
}

// Bit 15 is red in 5-6-5: only the 5-5-5 layout has a bit to drop.
class BitmapPaintFiveFiveFiveTest : public BitmapPaintTest {};

TEST_P(BitmapPaintFiveFiveFiveTest, MixingDropsBitFifteen) {
    auto dark = image(1, 1, {0x0000}, {});
    LPSURFACE surface = canvas(0x8000);
    dark->Paint(surface, 0, 0, -1, 1);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x0000);
}

TEST_P(BitmapPaintTest, DefaultsDrawWhiteThroughAlphaAndOpaqueColour) {
    LPSURFACE surface = canvas(0x0000);
    auto alphaOnly = image(2, 1, {}, {255, 0});
    alphaOnly->Paint(surface, 0, 0);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0xFFFF);
    EXPECT_EQ(pixelAt(surface, 1, 0), 0x0000);

    auto colourOnly = image(2, 1, {0x1234, 0x0421}, {});
    colourOnly->Paint(surface, 2, 1);
    EXPECT_EQ(pixelAt(surface, 2, 1), 0x1234);
    EXPECT_EQ(pixelAt(surface, 3, 1), 0x0421);

    // Case D at full coverage fills; case C at full coverage copies.
    auto sized = image(2, 2, {}, {});
    sized->Paint(surface, 2, 2, 0x0042, 255);
    EXPECT_EQ(pixelAt(surface, 3, 3), 0x0042);
    colourOnly->Paint(surface, 0, 3, -1, 255);
    EXPECT_EQ(pixelAt(surface, 1, 3), 0x0421);
}

TEST_P(BitmapPaintTest, ZeroCoverageLocksButLeavesTheSurfaceAsItWas) {
    LPSURFACE surface = canvas(0x0123);
    auto picture = image(2, 2, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, {});
    picture->Paint(surface, 1, 1, -1, 0);
    EXPECT_EQ(pixelAt(surface, 1, 1), 0x0123);
    EXPECT_TRUE(canLock(surface));
    // The lock is still asked for: off the surface it is refused and logged.
    picture->Paint(surface, 3, 3, -1, 0);
    EXPECT_NE(newLog().find("TBitmap::Paint - SurfaceLock failed!\n\n"), std::string::npos);
}

TEST_P(BitmapPaintTest, AnImageReachingPastTheSurfaceIsNotDrawn) {
    LPSURFACE surface = canvas(0x0000);
    auto picture = image(2, 2, {0x0101, 0x0101, 0x0101, 0x0101}, {});
    picture->Paint(surface, 2, 2);
    EXPECT_EQ(pixelAt(surface, 3, 3), 0x0101);
    EXPECT_EQ(newLog(), "");

    fill(surface, 0x0000);
    EXPECT_TRUE(picture->Paint(surface, 3, 0));
    char text[128];
    display->getErrorString(DDERR_INVALIDRECT, text);
    EXPECT_EQ(newLog(), std::string("TBitmap::Paint - SurfaceLock failed!\n\n") + text + "\n");
    EXPECT_EQ(pixelAt(surface, 3, 0), 0x0000);
    EXPECT_TRUE(canLock(surface));
}

TEST_P(BitmapPaintTest, UnknownGraphicsModeBlendsNothingButStillCopies) {
    LPSURFACE surface = canvas(0x0000);
    auto picture = image(2, 1, {0x0303, 0x0303}, {255, 255});
    display->dwGraphicsMode = 3;
    picture->Paint(surface, 0, 0);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x0000);
    EXPECT_EQ(newLog(), "TBitmap::Paint (...) unknown graphicsmode\n");
    picture->Paint(surface, 0, 1, -1, 255);
    EXPECT_EQ(pixelAt(surface, 1, 1), 0x0303);
    picture->Blend(surface, 0, 2, 100);
    EXPECT_EQ(pixelAt(surface, 0, 2), 0x0000);
    EXPECT_EQ(newLog(), "TBitmap::Paint (...) unknown graphicsmode\n"
                        "TBitmap::Blend (...) unknown graphicsmode\n");
    EXPECT_TRUE(canLock(surface));
}

TEST_P(BitmapPaintTest, BlendScalesTheCoverageByTheOpacity) {
    LPSURFACE surface = canvas(0x0000);
    // Opacity 128: alpha 255 gives 127 (blue 2 → 0, where 128 would give 1); alpha 1 gives 0.
    auto picture = image(2, 1, {0x0002, 0x001F}, {255, 1});
    picture->Blend(surface, 0, 0, 128);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x0000);
    EXPECT_EQ(pixelAt(surface, 1, 0), 0x0000);
    setPixel(surface, 0, 1, 0x0003);
    picture->Blend(surface, 0, 1, 128);
    // 3 × 129 / 256 + 2 × 127 / 256 = 2.5 → 2.
    EXPECT_EQ(pixelAt(surface, 0, 1), 0x0002);

    // Without alpha, opacity 100 blends with 255 × 100 >> 8 = 99: 31 × 157 >> 8 = 19 over black.
    fill(surface, white());
    auto black = image(1, 1, {0x0000}, {});
    black->Blend(surface, 2, 2, 100);
    EXPECT_EQ(pixelAt(surface, 2, 2), is565() ? 0x9CD3 : 0x4E73);
    EXPECT_EQ(newLog(), "");
}

TEST_P(BitmapPaintTest, BlendAtTheEndsOfTheOpacityRange) {
    LPSURFACE surface = canvas(0x0000);
    auto picture = image(2, 2, {0x0404, 0x0404, 0x0404, 0x0404}, {});
    // Opacity 0 does not even lock: no failure for an image off the surface.
    EXPECT_TRUE(picture->Blend(surface, 3, 3, 0));
    EXPECT_EQ(newLog(), "");
    // Opacity 1 with constant alpha 255 locks, then draws nothing.
    picture->Blend(surface, 0, 0, 1, -1, 255);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x0000);
    picture->Blend(surface, 3, 3, 1, -1, 255);
    std::string log = newLog();
    EXPECT_EQ(log.rfind("TBitmap::Blend - SurfaceLock failed!\n  ", 0), 0u) << log;
    logStart += log.size();
    // Opacity 255 is Paint, down to its failure line.
    picture->Blend(surface, 0, 0, 255);
    EXPECT_EQ(pixelAt(surface, 1, 1), 0x0404);
    picture->Blend(surface, 3, 3, 255);
    EXPECT_EQ(newLog().rfind("TBitmap::Paint - SurfaceLock failed!\n\n", 0), 0u);
}

TEST_P(BitmapPaintTest, EmptyImagesDrawNothing) {
    LPSURFACE surface = canvas(0x0000);
    TBitmap empty(display);
    EXPECT_TRUE(empty.Paint(surface, 100, 100));
    EXPECT_TRUE(empty.Blend(surface, 100, 100, 50));
    EXPECT_EQ(newLog(), "");
}

INSTANTIATE_FOR_BOTH_LAYOUTS(BitmapPaintTest);
INSTANTIATE_TEST_SUITE_P(Layouts, BitmapPaintFiveFiveFiveTest, ::testing::Values(555),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "rgb" + std::to_string(info.param);
                         });

} // namespace
