#include "scene_display.h"
#include "screen_buffer.h"
#include "temp_directory.h"

#include "demo_state.h"
#include "scenes/bump_light.h"

#include <TLumaBase.h>
#include <luma/resources.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

extern const LumaResources programResources;

namespace {

// The light's place when the tick count is 0: cos 0 x 140 + 320 - 32, cos 0 x 100 + 240 - 32.
const unsigned int tickAtStart = 0;
const int lightColumn = 428;
const int lightRow = 308;
const int fullFade = 1020;

class BumpLightTest : public ::testing::Test {
protected:
    void SetUp() override {
        LumaRegisterResources(&programResources);
        lumaBase = new TLumaBase(GetModuleHandleA(nullptr), 10001, 10002, true);
        std::filesystem::create_directory(directory.file("Media"));
    }
    void TearDown() override {
        delete lumaBase;
        lumaBase = nullptr;
    }

    // A height map drawn by ImageMagick: raw 8-bit grey, 640 x 352.
    void drawHeightMap(const std::string& drawing) {
        std::string command = "convert -size 640x352 xc:black " + drawing +
                              " -depth 8 gray:" + directory.file("Media/bumpmap.raw");
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    std::string log() const { return directory.read("Glimmerfall.log"); }
    // The screen pixel of map row r, column c.
    unsigned short mapPixel(int r, int c) const { return screen.at(c, 64 + r); }

    TempDirectory directory;
    ScreenBuffer screen;
};

TEST_F(BumpLightTest, PaletteFadesFromWhiteToBlueAndWhite) {
    for (unsigned long mode : {1ul, 2ul}) {
        SCOPED_TRACE(mode);
        unsigned short white = mode == 1 ? 0x7FFF : 0xFFFF;
        FadeBumpPalette(0, mode);
        for (unsigned short entry : bumpPalette)
            ASSERT_EQ(entry, white);

        // f = 128: half way from each channel's maximum to black, for entry 0.
        FadeBumpPalette(512, mode);
        EXPECT_EQ(bumpPalette[0], mode == 1 ? 0x3DEF : 0x7BEF);

        for (int time = 1020; time <= 1023; ++time) {
            FadeBumpPalette(time, mode);
            for (int i = 0; i <= 6; ++i)
                EXPECT_EQ(bumpPalette[i], 0) << i;
            EXPECT_EQ(bumpPalette[7], 1);
            EXPECT_EQ(bumpPalette[191], 31);
            EXPECT_EQ(bumpPalette[192], 31);
            // v = 128: red 16, green 16 (5-5-5) or 32 (5-6-5), blue 31.
            EXPECT_EQ(bumpPalette[224],
                      mode == 1 ? (16 << 10 | 16 << 5 | 31) : (16 << 11 | 32 << 5 | 31));
            EXPECT_EQ(bumpPalette[255], white);
        }

        // From 1024 ms on the palette stays as the last fade left it.
        FadeBumpPalette(0, mode);
        FadeBumpPalette(1024, mode);
        FadeBumpPalette(2000000000, mode);
        EXPECT_EQ(bumpPalette[0], white);
    }
}

TEST_F(BumpLightTest, MissingFileGivesRoundSpotOnFlatMap) {
    InitBumpLight();
    EXPECT_EQ(log(), "cannot open file media\\bumpmap.raw!\n");

    for (unsigned long mode : {1ul, 2ul}) {
        SCOPED_TRACE(mode);
        unsigned short white = mode == 1 ? 0x7FFF : 0xFFFF;
        FadeBumpPalette(fullFade, mode);
        DrawBumpLight(tickAtStart, screen.data(), ScreenBuffer::pitch);
        screen.saveForViewing("bump_flat_" + std::to_string(mode), mode);
        EXPECT_EQ(bumpLightX, lightColumn);
        EXPECT_EQ(bumpLightY, lightRow);

        EXPECT_EQ(mapPixel(lightRow, lightColumn), white);
        // Half way out: light 127 (0.5 x 191 + 0.25 x 128), blue level 127 x 255 / 192 = 168.
        EXPECT_EQ(mapPixel(lightRow, lightColumn + 64), 168 >> 3);
        for (int d = 1; d < 128; ++d) {
            unsigned short right = mapPixel(lightRow, lightColumn + d);
            ASSERT_EQ(mapPixel(lightRow, lightColumn - d), right) << d;
            ASSERT_EQ(mapPixel(lightRow - d, lightColumn), right) << d;
            if (lightRow + d < 352) {
                ASSERT_EQ(mapPixel(lightRow + d, lightColumn), right) << d;
            }
        }
        // 128 entries away and beyond, on either side, the light is black.
        for (int c = 0; c <= lightColumn - 128; ++c)
            ASSERT_EQ(mapPixel(lightRow, c), 0) << c;
        for (int c = lightColumn + 127; c < 640; ++c)
            ASSERT_EQ(mapPixel(lightRow, c), 0) << c;
        EXPECT_EQ(mapPixel(0, 0), 0);
        EXPECT_TRUE(screen.untouchedOutsideBand());
    }
}

TEST_F(BumpLightTest, SlopesShiftTheLookupIntoTheSpot) {
    // One raised point at row 300, column 400, and a raised first row.
    drawHeightMap("-fill 'gray(40)' -draw 'point 400,300' -fill 'gray(90)' -draw 'line 0,0 639,0'");
    InitBumpLight();
    EXPECT_EQ(log(), "");
    FadeBumpPalette(fullFade, 2);
    DrawBumpLight(tickAtStart, screen.data(), ScreenBuffer::pitch);

    // A flat pixel at (r, c) looks up (lightColumn + 128 - c, lightRow + 128 - r); a slope
    // adds to that, so each pixel beside the point shows a flat pixel elsewhere.
    ScreenBuffer flatPicture;
    std::filesystem::remove(directory.file("Media/bumpmap.raw"));
    drawHeightMap("");
    InitBumpLight();
    DrawBumpLight(tickAtStart, flatPicture.data(), ScreenBuffer::pitch);
    auto flat = [&](int r, int c) { return flatPicture.at(c, 64 + r); };

    EXPECT_EQ(mapPixel(300, 399), flat(300, 399 - 40)); // gx + 40
    EXPECT_EQ(mapPixel(300, 401), flat(300, 401 + 40)); // gx - 40
    EXPECT_EQ(mapPixel(299, 400), flat(299 - 40, 400)); // gy + 40
    EXPECT_EQ(mapPixel(301, 400), flat(301 + 40, 400)); // gy - 40
    EXPECT_NE(mapPixel(300, 399), flat(300, 399));
    // The guard row after the map repeats the first row (90), so the last row slopes by
    // +90 toward it: gy = 128 + 308 - 351 + 90 = 175, the flat map's gy at row 261.
    EXPECT_EQ(mapPixel(351, lightColumn), flat(261, lightColumn));
    EXPECT_NE(mapPixel(351, lightColumn), flat(351, lightColumn));
}

TEST_F(BumpLightTest, ShortFileLogsCorruptedLineAndKeepsRowsRead) {
    drawHeightMap("-fill 'gray(40)' -draw 'point 400,300'");
    std::filesystem::resize_file(directory.file("Media/bumpmap.raw"), 225279);
    InitBumpLight();
    EXPECT_EQ(log(), "file media\\bumpmap.raw is corrupted!\n");

    FadeBumpPalette(fullFade, 2);
    DrawBumpLight(tickAtStart, screen.data(), ScreenBuffer::pitch);
    ScreenBuffer flatPicture;
    std::filesystem::remove(directory.file("Media/bumpmap.raw"));
    InitBumpLight();
    DrawBumpLight(tickAtStart, flatPicture.data(), ScreenBuffer::pitch);
    EXPECT_NE(screen.at(399, 64 + 300), flatPicture.at(399, 64 + 300));
}

TEST_F(BumpLightTest, DemoHeightMapLoads) {
    std::filesystem::copy_file(MEDIA_DIR "/bumpmap.raw", directory.file("Media/bumpmap.raw"));
    InitBumpLight();
    EXPECT_EQ(log(), "");
    for (unsigned long mode : {1ul, 2ul}) {
        FadeBumpPalette(fullFade, mode);
        DrawBumpLight(123456, screen.data(), ScreenBuffer::pitch);
        screen.saveForViewing("bump_light_" + std::to_string(mode), mode);
        EXPECT_TRUE(screen.untouchedOutsideBand());
    }
}

TEST_F(BumpLightTest, BytesBeyondTheMapAreNotRead) {
    drawHeightMap("");
    std::filesystem::resize_file(directory.file("Media/bumpmap.raw"), 225280 + 1000);
    InitBumpLight();
    EXPECT_EQ(log(), "");
}

class BumpLightFrameTest : public SceneTest {};

TEST_P(BumpLightFrameTest, FrameDrawsTheBandAndFlips) {
    InitBumpLight();
    fillBackBuffer(0x0842);
    BumpLightFrame();
    ScreenBuffer screen;
    readShownPage(screen);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            bool inBand = y >= 64 && y < 416;
            ASSERT_EQ(screen.at(x, y) == 0x0842, !inBand) << x << "," << y;
        }
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(BumpLightFrameTest);

} // namespace
