#include "pixel_frame_test.h"
#include "screen_buffer.h"
#include "test_picture.h"

#include "demo_state.h"
#include "scenes/picture_scenes.h"

#include <TDirectDraw.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

namespace {

const Rgb blackColour = {0, 0, 0};
const Rgb whiteColour = {255, 255, 255};

int Cos16(long long i) { return (int)(16 * std::cos(2 * 3.141592653589793 * (i % 256) / 256)); }

class PictureScenesTest : public PixelFrameTest {
protected:
    void TearDown() override {
        FreePictureScenes();
        PixelFrameTest::TearDown();
    }
    void SetUpWithPicture(int width, int height, const std::function<Rgb(int, int)>& colourAt) {
        std::filesystem::create_directory(directory.file("Media"));
        ASSERT_TRUE(WriteTgaPicture(directory.file("Media/Elle.tga"), width, height, colourAt));
        InitPictureScenes();
    }
    ScreenBuffer RingField(int time) {
        ScreenBuffer screen;
        DrawRingField(time, screen.data(), ScreenBuffer::pitch);
        return screen;
    }
    ScreenBuffer WaveStrip(int time) {
        ScreenBuffer screen;
        DrawWaveStrip(time, screen.data(), ScreenBuffer::pitch);
        return screen;
    }
    // A white picture halved: 0x7FFF becomes 0x3DEF, 0xFFFF becomes 0x7BEF.
    unsigned short halvedWhite() const { return graphicsMode() == 1 ? 0x3DEF : 0x7BEF; }
};

// With column 8 black the rings add nothing: the band shows the halved picture at the right,
// the halved tiles at the left and black between.
TEST_P(PictureScenesTest, PictureIsHalvedByTheGraphicsModesMask) {
    SetUpWithPicture(640, 352, [](int x, int) { return x == 8 ? blackColour : whiteColour; });
    ScreenBuffer screen = RingField(777);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen.at(x, y), x < 192 || x >= 448 ? halvedWhite() : 0) << x << ", " << y;
    EXPECT_TRUE(screen.untouchedOutsideBand());
}

// Column 8 row k carries k in its blue and red bits, everything else is black: every pixel
// of the band tells the ring number k = (distance + shade) mod 256 that it shows.
TEST_P(PictureScenesTest, RingsRunOutwardAroundAWobblingCentre) {
    SetUpWithPicture(640, 352, [](int x, int y) {
        if (x != 8 || y > 255)
            return blackColour;
        return Rgb{static_cast<unsigned char>(y / 16 * 16), 0,
                   static_cast<unsigned char>(y % 16 * 16)};
    });
    int redShift = graphicsMode() == 1 ? 10 : 11;
    for (int t : {0, 11, 4321, 2147483647}) {
        ScreenBuffer screen = RingField(t);
        long long shade = 255 - (t / 11) % 256;
        int mismatches = 0;
        for (int y = 64; y <= 415; y++)
            for (int x = 0; x < 640; x++) {
                long long dx = Cos16(t / 5 + y) + 320 - x;
                long long dy = Cos16(t / 3 + x) + 240 - y;
                long long distance = (long long)std::sqrt(16.0 * ((dx * dx + dy * dy) / 16)) % 256;
                int k = (int)((distance + shade) % 256);
                mismatches += screen.at(x, y) != (k % 16 | (k / 16) << redShift);
            }
        EXPECT_EQ(mismatches, 0) << "at " << t << " ms";
    }
}

// Four tiles of different greens at (16, 180) to (64, 180); the rings and the rest black.
TEST_P(PictureScenesTest, TileColumnsScrollAtTheirOwnSpeeds) {
    SetUpWithPicture(640, 352, [](int x, int y) {
        if (y < 180 || y > 195 || x < 16 || x > 79)
            return blackColour;
        return Rgb{0, static_cast<unsigned char>(60 * (x / 16)), 0};
    });
    const int speeds[12] = {7, 11, 5, 13, 9, 17, 8, 6, 12, 14, 20, 16};
    for (int t : {0, 5000}) {
        ScreenBuffer screen = RingField(t);
        std::set<unsigned short> colours;
        int changesAtTileEdges = 0;
        for (int i = 0; i < 12; i++) {
            long long offset = t / speeds[i] + 127 * i + Cos16(t / 3) + 20;
            for (int y = 64; y <= 415; y++) {
                unsigned short colour = screen.at(16 * i, y);
                colours.insert(colour);
                for (int x = 16 * i; x < 16 * i + 16; x++)
                    ASSERT_EQ(screen.at(x, y), colour) << t << " ms: " << x << ", " << y;
                if (y == 64)
                    continue;
                bool tileEdge = (offset + y) % 16 == 0;
                if (!tileEdge)
                    ASSERT_EQ(colour, screen.at(16 * i, y - 1)) << t << " ms: " << i << ", " << y;
                else
                    changesAtTileEdges += colour != screen.at(16 * i, y - 1);
            }
        }
        EXPECT_EQ(colours.size(), 4u);
        EXPECT_EQ(colours.count(0), 0u);
        EXPECT_GT(changesAtTileEdges, 100);
        for (int y = 64; y <= 415; y++)
            for (int x = 192; x < 640; x++)
                ASSERT_EQ(screen.at(x, y), 0) << t << " ms: " << x << ", " << y;
    }
}

// A picture of many colours; in the overlay strip every fifth pixel is black (transparent).
Rgb Patterned(int x, int y) {
    if (y >= 274 && (x + y) % 5 == 0)
        return blackColour;
    return Rgb{static_cast<unsigned char>(x * 7), static_cast<unsigned char>(y * 3),
               static_cast<unsigned char>(x + y)};
}

// The pixel the picture's loader and halving give for Patterned(x, y).
unsigned short HalvedPatterned(int x, int y, unsigned long mode) {
    Rgb c = Patterned(x, y);
    if (mode == 1)
        return (((c.red & 0xF8) << 7 | (c.green & 0xF8) << 2 | c.blue >> 3) & 0x7BDE) >> 1;
    return (((c.red & 0xF8) << 8 | (c.green & 0xFC) << 3 | c.blue >> 3) & 0xF7DE) >> 1;
}

// The wave strip's window as described, written plainly in 64-bit arithmetic.
unsigned short DescribedWaveStrip(long long t, int x, int y, unsigned long mode) {
    auto cos10 = [](long long i) {
        return (long long)(10 * std::cos(2 * 3.141592653589793 * (i % 256) / 256));
    };
    long long zoom = Cos16(t / 3) * 8 + 116;
    long long half = (332 - zoom) / 2;
    long long u = cos10((t / 5) % 256 + x % 256) + x + cos10(t / 7 + y) - 154;
    long long v = cos10((t / 11) % 256 + x % 256) + cos10(t / 9 + y) + y - 201;
    if (u < 0 || u >= 332 || v < 0 || v >= 78)
        return 0;
    unsigned short pixel = HalvedPatterned((int)u + 16, (int)v + 196, mode);
    if (t < 1920 || t >= 4992)
        return pixel;
    long long overU = (u - half) * 332 / zoom;
    long long overV = ((v * 332 / 78) - half) * 78 / zoom;
    if (overU < 0 || overU >= 332 || overV < 0 || overV >= 78)
        return pixel;
    unsigned short over = HalvedPatterned((int)overU + 16, (int)overV + 274, mode);
    return over ? (unsigned short)(over * 2) : pixel;
}

class WaveStripTest : public PictureScenesTest {
protected:
    // The first strip red, the overlay strip blue.
    void SetUp() override {
        PictureScenesTest::SetUp();
        SetUpWithPicture(640, 352, [](int x, int y) {
            if (x < 16 || x > 347 || y < 196)
                return blackColour;
            return y < 274 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
        });
    }
    unsigned short halvedRed() const { return graphicsMode() == 1 ? 0x3C00 : 0x7800; }
    // The overlay's blue, halved and doubled again.
    static const unsigned short overlayBlue = 0x001E;
    // Counts the overlay's pixels; fails when the window holds anything but the two strips
    // and black, or when anything outside the window was written.
    int overlayPixels(const ScreenBuffer& screen) const {
        int count = 0;
        for (int y = 181; y <= 297; y++)
            for (int x = 134; x <= 505; x++) {
                unsigned short pixel = screen.at(x, y);
                EXPECT_TRUE(pixel == 0 || pixel == halvedRed() || pixel == overlayBlue)
                    << x << ", " << y << ": " << pixel;
                count += pixel == overlayBlue;
            }
        int outsideWritten = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < ScreenBuffer::pitch; x++)
                if (y < 181 || y > 297 || x < 134 || x > 505)
                    outsideWritten += screen.at(x, y) != ScreenBuffer::marker;
        EXPECT_EQ(outsideWritten, 0);
        return count;
    }
};

TEST_P(WaveStripTest, OverlayIsDrawnFrom1920To4991Milliseconds) {
    EXPECT_EQ(overlayPixels(WaveStrip(0)), 0);
    EXPECT_EQ(overlayPixels(WaveStrip(1919)), 0);
    EXPECT_GT(overlayPixels(WaveStrip(1920)), 0);
    EXPECT_GT(overlayPixels(WaveStrip(3000)), 1000);
    EXPECT_GT(overlayPixels(WaveStrip(4991)), 0);
    EXPECT_EQ(overlayPixels(WaveStrip(4992)), 0);
}

// Over the window the zoom passes every one of its 256 values, negative ones included;
// none is 0, so none divides by zero.
TEST_P(WaveStripTest, ZoomTakesAllItsValuesWithoutDividingByZero) {
    int framesWithOverlay = 0;
    for (int t = 1920; t < 1920 + 3 * 256; t += 3)
        framesWithOverlay += overlayPixels(WaveStrip(t)) > 0;
    EXPECT_GT(framesWithOverlay, 200);
}

TEST_P(PictureScenesTest, WaveStripFramesAreTheDescribedOnes) {
    SetUpWithPicture(640, 352, Patterned);
    for (int t : {0, 1919, 1920, 2222, 3001, 4500, 4991, 4992, 2147483647}) {
        ScreenBuffer screen = WaveStrip(t);
        int mismatches = 0;
        for (int y = 181; y <= 297; y++)
            for (int x = 134; x <= 505; x++)
                mismatches += screen.at(x, y) != DescribedWaveStrip(t, x, y, graphicsMode());
        EXPECT_EQ(mismatches, 0) << "at " << t << " ms";
    }
}

TEST_P(WaveStripTest, FirstStripIsShownRedAroundTheCentre) {
    ScreenBuffer screen = WaveStrip(0);
    EXPECT_EQ(screen.at(320, 240), halvedRed());
    EXPECT_EQ(overlayPixels(screen), 0);
}

TEST_P(PictureScenesTest, RingFieldFrameShowsTheBandAtItsSceneTime) {
    SetUpWithPicture(640, 352, [](int x, int y) {
        return Rgb{static_cast<unsigned char>(x), static_cast<unsigned char>(y), 128};
    });
    expectFrameShowsTheRenderersBand(RingFieldFrame, DrawRingField);
}

// Starting or resuming clears both pages: nothing of the earlier scene stays around the
// window. Frames that follow within 200 ms leave the rest of the page alone.
TEST_P(WaveStripTest, FrameAfterAPauseClearsBothPages) {
    Sleep(300);
    fillBackBuffer(0x1234);
    directDraw->Flip();
    fillBackBuffer(0x1234);
    WaveStripFrame();
    ScreenBuffer shown;
    readShownPage(shown);
    ScreenBuffer expected;
    std::fill(expected.data(), expected.data() + ScreenBuffer::pitch * 480, 0);
    DrawWaveStrip(0, expected.data(), ScreenBuffer::pitch);
    int different = 0;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            different += shown.at(x, y) != expected.at(x, y);
    EXPECT_EQ(different, 0);

    directDraw->Flip();
    readShownPage(shown);
    int lit = 0;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            lit += shown.at(x, y) != 0;
    EXPECT_EQ(lit, 0);

    fillBackBuffer(0x1234);
    WaveStripFrame();
    readShownPage(shown);
    EXPECT_EQ(shown.at(0, 0), 0x1234);
    EXPECT_EQ(shown.at(639, 479), 0x1234);
    EXPECT_EQ(shown.at(320, 240), halvedRed());
}

TEST_P(PictureScenesTest, MissingPictureDrawsBlack) {
    InitPictureScenes();
    ScreenBuffer rings = RingField(1234);
    ScreenBuffer strip = WaveStrip(3000);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(rings.at(x, y), 0) << x << ", " << y;
    for (int y = 181; y <= 297; y++)
        for (int x = 134; x <= 505; x++)
            ASSERT_EQ(strip.at(x, y), 0) << x << ", " << y;
}

// 320 × 200: the tiles exist, the right part and the ring colours from row 200 on do not.
TEST_P(PictureScenesTest, SmallPictureDrawsBlackWhereItHasNoPixels) {
    SetUpWithPicture(320, 200, [](int x, int) { return x == 8 ? blackColour : whiteColour; });
    ScreenBuffer screen = RingField(4000);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen.at(x, y), x < 192 ? halvedWhite() : 0) << x << ", " << y;
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(PictureScenesTest);
INSTANTIATE_IN_BOTH_GRAPHICS_MODES(WaveStripTest);

} // namespace
