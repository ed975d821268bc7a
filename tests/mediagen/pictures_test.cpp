// The pictures in Media/ have the sizes, depths and regions the scenes rely on.

#include "run_tool.h"
#include "tga_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string media(const char* name) { return std::string(MEDIA_DIR) + "/" + name; }

int luminance(const TgaPixel& p) { return (p.r * 299 + p.g * 587 + p.b * 114) / 1000; }

int channelDistance(const TgaPixel& a, const TgaPixel& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

// A pixel after the picture scenes halve it (5-6-5 and 5-5-5): 0 is transparent in the overlay.
bool halvesToZero(const TgaPixel& p) {
    bool zero565 = (((p.r & 0xF8) >> 3) >> 1) == 0 && (((p.g & 0xFC) >> 2) >> 1) == 0 &&
                   (((p.b & 0xF8) >> 3) >> 1) == 0;
    bool zero555 = (((p.r & 0xF8) >> 3) >> 1) == 0 && (((p.g & 0xF8) >> 3) >> 1) == 0 &&
                   (((p.b & 0xF8) >> 3) >> 1) == 0;
    return zero565 && zero555;
}

// Mean step between neighbouring columns (or rows) i and i + 1, wrapping 255 to 0.
double meanStep(const TgaFile& t, int i, bool acrossColumns) {
    double sum = 0;
    int next = (i + 1) % 256;
    for (int j = 0; j < 256; ++j)
        sum += acrossColumns ? channelDistance(t.at(i, j), t.at(next, j))
                             : channelDistance(t.at(j, i), t.at(j, next));
    return sum / 256;
}

// A wrapping texture has no seam: the step from its last column to its first is no harder
// than the hardest step inside it.
void expectNoSeam(const TgaFile& t, bool acrossColumns) {
    double hardestInside = 0, total = 0;
    for (int i = 0; i < 255; ++i) {
        hardestInside = std::max(hardestInside, meanStep(t, i, acrossColumns));
        total += meanStep(t, i, acrossColumns);
    }
    EXPECT_LE(meanStep(t, 255, acrossColumns), hardestInside)
        << (acrossColumns ? "columns" : "rows");
    EXPECT_GT(total / 255, 4.0) << "detail, not a flat colour";
}

int percentileLuminance(const TgaFile& t, double fraction) {
    std::vector<int> values;
    for (const TgaPixel& p : t.pixels)
        values.push_back(luminance(p));
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * (values.size() - 1))];
}

} // namespace

TEST(PictureFiles, ImageMagickIdentifiesEveryPictureWithItsSizeAndChannels) {
    struct Expected {
        const char* name;
        const char* description; // width height bits-per-channel alpha channels
    } expected[] = {
        {"Elle.tga", "TGA 640 352 8 False srgb"},     {"TLife.tga", "TGA 256 256 8 False srgb"},
        {"TTunnel.tga", "TGA 256 256 8 False srgb"},  {"ShadeBob.tga", "TGA 96 96 8 True srgba"},
        {"Polaroid.tga", "TGA 128 200 8 True srgba"},
    };
    for (const Expected& e : expected) {
        int status = -1;
        std::string out = runTool(
            "identify -format '%m %w %h %z %A %[channels]' " + shellQuoted(media(e.name)), &status);
        ASSERT_EQ(status, 0) << out;
        EXPECT_EQ(out, e.description) << e.name;
    }
}

TEST(PictureFiles, HeadersAreWhatTheEngineReads) {
    struct Expected {
        const char* name;
        int width, height, depth, alphaBits;
    } expected[] = {
        {"Elle.tga", 640, 352, 24, 0},     {"TLife.tga", 256, 256, 24, 0},
        {"TTunnel.tga", 256, 256, 24, 0},  {"ShadeBob.tga", 96, 96, 32, 8},
        {"Polaroid.tga", 128, 200, 32, 8},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        TgaFile t = readTgaFile(media(e.name));
        EXPECT_EQ(t.colorMapType, 0);
        EXPECT_EQ(t.imageType, 2);
        EXPECT_EQ(t.width, e.width);
        EXPECT_EQ(t.height, e.height);
        EXPECT_EQ(t.depth, e.depth);
        EXPECT_EQ(t.alphaBits, e.alphaBits);
        EXPECT_TRUE(t.topRowFirst);
    }
}

TEST(PictureFiles, ImageMagickSeesTheTopRowWhereTheEngineDoes) {
    // The photo's frame is paper at the top and the title strip's letters are not at row 0.
    TgaFile polaroid = readTgaFile(media("Polaroid.tga"));
    std::string out =
        runTool("convert " + shellQuoted(media("Polaroid.tga")) +
                " -format '%[fx:int(255*p{5,150}.r)] %[fx:int(255*p{60,50}.b)]' info:");
    std::istringstream values(out);
    int red = -1, blue = -1;
    values >> red >> blue;
    EXPECT_NEAR(red, polaroid.at(5, 150).r, 1) << out;
    EXPECT_NEAR(blue, polaroid.at(60, 50).b, 1) << out;
}

TEST(EllePicture, RingPaletteColumnIsASmoothColourfulCycle) {
    TgaFile elle = readTgaFile(media("Elle.tga"));
    int largestStep = 0;
    int reddest = 0, greenest = 0, bluest = 0, brightest = 0, darkest = 255;
    for (int k = 0; k < 256; ++k) {
        const TgaPixel& p = elle.at(8, k);
        largestStep = std::max(largestStep,
                               channelDistance(p, elle.at(8, (k + 1) % 256))); // wraps: 255 meets 0
        reddest = std::max(reddest, p.r - std::max(p.g, p.b));
        greenest = std::max(greenest, p.g - std::max(p.r, p.b));
        bluest = std::max(bluest, p.b - std::max(p.r, p.g));
        brightest = std::max(brightest, luminance(p));
        darkest = std::min(darkest, luminance(p));
    }
    EXPECT_LE(largestStep, 24);
    EXPECT_GE(reddest, 60);
    EXPECT_GE(greenest, 60);
    EXPECT_GE(bluest, 60);
    EXPECT_GE(brightest - darkest, 120);
}

TEST(EllePicture, FourDistinctTilesStandSideBySide) {
    TgaFile elle = readTgaFile(media("Elle.tga"));
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
            int differing = 0;
            for (int y = 180; y < 196; ++y)
                for (int x = 0; x < 16; ++x)
                    differing += channelDistance(elle.at(16 + 16 * a + x, y),
                                                 elle.at(16 + 16 * b + x, y)) > 24;
            EXPECT_GT(differing, 64) << "tiles " << a << " and " << b;
        }
    }
}

TEST(EllePicture, OverlayStripIsOnExactBlackAndCarriesBrightLetters) {
    TgaFile elle = readTgaFile(media("Elle.tga"));
    int exactBlack = 0, visible = 0, total = 0;
    for (int y = 274; y < 352; ++y) {
        for (int x = 16; x < 348; ++x) {
            const TgaPixel& p = elle.at(x, y);
            bool edge = y == 274 || y == 351 || x == 16 || x == 347;
            if (edge) {
                EXPECT_TRUE(p.r == 0 && p.g == 0 && p.b == 0) << x << "," << y;
            }
            exactBlack += (p.r == 0 && p.g == 0 && p.b == 0);
            visible += !halvesToZero(p) && luminance(p) > 100;
            ++total;
        }
    }
    EXPECT_GT(exactBlack, total / 2);
    EXPECT_GT(visible, total / 20);
}

TEST(EllePicture, TitleStripAndRightPartAreRichPictures) {
    TgaFile elle = readTgaFile(media("Elle.tga"));
    auto spread = [&](int x0, int y0, int x1, int y1) {
        double sum = 0, sumSquares = 0;
        int n = 0, bright = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                int l = luminance(elle.at(x, y));
                sum += l;
                sumSquares += static_cast<double>(l) * l;
                bright += l > 160;
                ++n;
            }
        }
        double mean = sum / n;
        return std::make_pair(std::sqrt(sumSquares / n - mean * mean), bright * 100.0 / n);
    };
    auto [titleDeviation, titleBright] = spread(16, 196, 348, 274);
    EXPECT_GT(titleDeviation, 40);
    EXPECT_GT(titleBright, 5);
    auto [rightDeviation, rightBright] = spread(448, 0, 640, 352);
    EXPECT_GT(rightDeviation, 30);
    EXPECT_GT(rightBright, 2);
}

TEST(Textures, BothWrapWithoutASeamAndKeepTheirContrast) {
    for (const char* name : {"TLife.tga", "TTunnel.tga"}) {
        SCOPED_TRACE(name);
        TgaFile t = readTgaFile(media(name));
        ASSERT_EQ(t.width, 256);
        ASSERT_EQ(t.height, 256);
        expectNoSeam(t, true);
        expectNoSeam(t, false);
        // The photo scene darkens the life texture to 240/256 per cue; the spread must survive.
        EXPECT_GE(percentileLuminance(t, 0.95) - percentileLuminance(t, 0.05), 110);
    }
}

TEST(ShadeBobPicture, SoftRoundAlphaWithTheBobColourFirst) {
    TgaFile bob = readTgaFile(media("ShadeBob.tga"));
    ASSERT_LE(bob.width, 96);
    ASSERT_LE(bob.height, 96);
    const TgaPixel& first = bob.at(0, 0);
    EXPECT_GT(first.r + first.g + first.b, 200) << "the first pixel gives the bob its colour";
    const int cx = bob.width / 2, cy = bob.height / 2;
    EXPECT_GE(bob.at(cx, cy).a, 240);
    EXPECT_EQ(bob.at(0, 0).a, 0);
    EXPECT_EQ(bob.at(bob.width - 1, bob.height - 1).a, 0);
    // Alpha falls steadily from the centre outward, in every direction, with soft steps.
    for (int x = cx; x + 1 < bob.width; ++x) {
        EXPECT_GE(bob.at(x, cy).a, bob.at(x + 1, cy).a);
        EXPECT_LE(bob.at(x, cy).a - bob.at(x + 1, cy).a, 64);
        EXPECT_EQ(bob.at(x, cy).a, bob.at(cy, x).a);
    }
    int partial = 0;
    for (const TgaPixel& p : bob.pixels)
        partial += p.a > 0 && p.a < 255;
    EXPECT_GT(partial, bob.width * bob.height / 4);
}

TEST(PolaroidPicture, FrameAroundAPictureAndFourHandwrittenLabels) {
    TgaFile photo = readTgaFile(media("Polaroid.tga"));
    for (const TgaPixel& p : photo.pixels)
        ASSERT_EQ(p.a, 255);
    auto isPaper = [](const TgaPixel& p) {
        return luminance(p) > 200 && channelDistance(p, {p.r, p.r, p.r, 255}) < 40;
    };
    for (int x = 0; x < 128; ++x) {
        EXPECT_TRUE(isPaper(photo.at(x, 0)) && isPaper(photo.at(x, 1)) &&
                    isPaper(photo.at(x, 102)) && isPaper(photo.at(x, 103)))
            << x;
    }
    for (int y = 0; y < 104; ++y) {
        EXPECT_TRUE(isPaper(photo.at(0, y)) && isPaper(photo.at(1, y)) &&
                    isPaper(photo.at(126, y)) && isPaper(photo.at(127, y)))
            << y;
    }
    int pictureNotPaper = 0;
    for (int y = 2; y < 102; ++y)
        for (int x = 2; x < 126; ++x)
            pictureNotPaper += !isPaper(photo.at(x, y));
    EXPECT_GT(pictureNotPaper, 124 * 100 * 8 / 10);

    std::vector<std::vector<bool>> ink(4);
    for (int strip = 0; strip < 4; ++strip) {
        int inked = 0;
        for (int y = 104 + strip * 24; y < 128 + strip * 24; ++y) {
            for (int x = 0; x < 128; ++x) {
                const TgaPixel& p = photo.at(x, y);
                bool dark = luminance(p) < 150 && p.b > p.r;
                ink[strip].push_back(dark);
                inked += dark;
                if (y == 104 + strip * 24 || y == 127 + strip * 24) {
                    EXPECT_FALSE(dark) << "ink touching the strip's edge at row " << y;
                }
            }
        }
        EXPECT_GT(inked, 80) << "strip " << strip;
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_NE(ink[a], ink[b]) << "labels " << a << " and " << b << " look the same";
}
