#include "pixel_frame_test.h"
#include "screen_buffer.h"

#include "random.h"
#include "scenes/plasma.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const double pi = 3.141592653589793;

// The plasma's frame as the scene is described, written plainly in 64-bit arithmetic:
// the band's 352 rows of 640 pixels, indexed [screen row - 64][column].
std::vector<std::vector<unsigned short>> DescribedPlasma(long long t, int mode, unsigned seed) {
    long long m = t % 1000;
    long long w = m < 500 ? 256 - m / 2 : (m - 500) / 2;
    long long base = m < 500 ? 255 : 0;
    long long variant = (t / 1000) % 4;
    long long T = 3 * t;

    auto cos255 = [](long long i) { return (long long)(255 * std::cos(pi * (i % 512) / 256)); };
    auto channel = [&](long long c, long long s) {
        return (std::llabs(c) * (256 - w) + (w * base) / s) / 256;
    };
    std::vector<long long> palette(512);
    for (long long i = 0; i < 512; i++) {
        long long k1 = (t + i) % 512, k2 = (T / 7 + i) % 512, k3 = (T / 5 + i) % 512;
        if (mode == 1)
            palette[i] = channel((long long)(std::cos(k1 * pi / 512) * 31), 8) +
                         channel((long long)(std::cos(k2 * pi / 512) * 31), 8) * 32 +
                         channel((long long)(std::cos(k3 * pi / 512) * 31), 8) * 1024;
        else
            palette[i] = channel((long long)(std::cos(k1 * pi / 256) * 31), 8) +
                         channel((long long)(std::cos(k2 * pi / 256) * 63), 4) * 32 +
                         channel((long long)(std::cos(k3 * pi / 256) * 31), 8) * 2048;
    }

    SeedRandom(seed);
    long long a = (long long)(std::cos((double)(T / 1500)) * 48 + 48);
    std::vector<long long> noise(1024, 0);
    if (a != 0)
        for (auto& value : noise)
            value = NextRandom() % a;

    long long p2 = T / 5 + 512, p3 = T / 29 + cos255(T / 23) + 512, p4 = T / 7 + 512;
    long long p5 = T / 11 + 512, q = T / 23 + cos255(T / 29 + 90) + 512;
    std::vector<std::vector<unsigned short>> band(352, std::vector<unsigned short>(640));
    for (long long y = 64; y <= 415; y++) {
        long long s = variant == 1 ? cos255(p3) + p4 : cos255(p3 + y) + p4;
        std::vector<unsigned short>& row = band[variant >= 2 ? 479 - y - 64 : y - 64];
        for (long long x = 0; x < 512; x++) {
            long long wave = cos255(q + x);
            if (variant == 1 || variant == 3)
                wave /= 2;
            long long v = noise[noise[y] + x] + p2 + cos255(s + x) + cos255(wave + p5 + y);
            row[variant == 2 ? 511 - x : x] = (unsigned short)palette[v % 512];
        }
        for (int x = 512; x < 640; x++)
            row[x] = row[x - 512];
    }
    return band;
}

ScreenBuffer Render(int time, unsigned seed) {
    ScreenBuffer screen;
    SeedRandom(seed);
    DrawPlasma(time, screen.data(), ScreenBuffer::pitch);
    return screen;
}

bool SameBand(const ScreenBuffer& a, const ScreenBuffer& b) {
    for (int y = 64; y <= 415; y++)
        if (!std::equal(a.row(y), a.row(y) + 640, b.row(y)))
            return false;
    return true;
}

using PlasmaTest = PixelFrameTest;

TEST_P(PlasmaTest, FirstFrameIsAWhiteBandAndNothingElse) {
    InitPlasma();
    ScreenBuffer screen = Render(0, 1);
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_EQ(screen.at(x, y), white()) << x << ", " << y;
    EXPECT_TRUE(screen.untouchedOutsideBand());
}

// Strobe phases (white, pure waves at 500 ms, fading), all four variants, noise of every
// strength and none, and a scene time near the largest one the clock reaches.
TEST_P(PlasmaTest, FramesAreTheDescribedOnes) {
    InitPlasma();
    for (int t : {0, 499, 500, 999, 1500, 1999, 2000, 2750, 3000, 3999, 4000, 11000, 2147483000}) {
        ScreenBuffer screen = Render(t, 7);
        auto band = DescribedPlasma(t, graphicsMode(), 7);
        int mismatches = 0;
        for (int y = 64; y <= 415; y++)
            for (int x = 0; x < 640; x++)
                mismatches += screen.at(x, y) != band[y - 64][x];
        EXPECT_EQ(mismatches, 0) << "at " << t << " ms";
        EXPECT_TRUE(screen.untouchedOutsideBand()) << "at " << t << " ms";
    }
}

TEST_P(PlasmaTest, AtHalfASecondThePaletteIsThePureWaves) {
    InitPlasma();
    // At 1500 ms the noise is off too: every pixel is one of the 512 unblended wave colours.
    ScreenBuffer screen = Render(1500, 1);
    std::vector<bool> isWaveColour(65536, false);
    for (int k = 0; k < 512; k++) {
        int k1 = (1500 + k) % 512, k2 = (4500 / 7 + k) % 512, k3 = (4500 / 5 + k) % 512;
        int colour;
        if (graphicsMode() == 1)
            colour = std::abs((int)(std::cos(k1 * pi / 512) * 31)) +
                     std::abs((int)(std::cos(k2 * pi / 512) * 31)) * 32 +
                     std::abs((int)(std::cos(k3 * pi / 512) * 31)) * 1024;
        else
            colour = std::abs((int)(std::cos(k1 * pi / 256) * 31)) +
                     std::abs((int)(std::cos(k2 * pi / 256) * 63)) * 32 +
                     std::abs((int)(std::cos(k3 * pi / 256) * 31)) * 2048;
        isWaveColour[colour] = true;
    }
    for (int y = 64; y <= 415; y++)
        for (int x = 0; x < 640; x++)
            ASSERT_TRUE(isWaveColour[screen.at(x, y)]) << x << ", " << y;
}

TEST_P(PlasmaTest, NoNoiseWhereItsStrengthTruncatesToZero) {
    InitPlasma();
    // n = 3, 22, 41 and 47: the random numbers do not matter.
    for (int t : {1500, 1999, 11250, 20500, 23999})
        EXPECT_TRUE(SameBand(Render(t, 1), Render(t, 2))) << "at " << t << " ms";
    // n = 2: they do.
    EXPECT_FALSE(SameBand(Render(1250, 1), Render(1250, 2)));
}

TEST_P(PlasmaTest, LastColumnsRepeatTheFirstInEveryVariant) {
    InitPlasma();
    for (int t : {700, 1700, 2700, 3700}) {
        ScreenBuffer screen = Render(t, 3);
        for (int y = 64; y <= 415; y++)
            for (int k = 0; k < 128; k++)
                ASSERT_EQ(screen.at(512 + k, y), screen.at(k, y)) << t << " ms, " << k << ", " << y;
    }
}

TEST_P(PlasmaTest, FrameShowsTheBandAtItsSceneTime) {
    InitPlasma();
    expectFrameShowsTheRenderersBand(PlasmaFrame, DrawPlasma);
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(PlasmaTest);

} // namespace
