#include "scene_display.h"
#include "screen_buffer.h"

#include "demo_state.h"
#include "scenes/shade_bobs.h"

#include <TBitmap.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const int bobSize = 32;

class ShadeBobsTest : public SceneTest {
protected:
    void TearDown() override {
        FreeShadeBobs();
        SceneTest::TearDown();
    }

    // A 32 x 32 bob, blue but for its orange first pixel, as a 24-bit TGA from ImageMagick:
    // without an alpha channel the whole square is opaque.
    void writeBob() {
        std::filesystem::create_directory(directory.file("Media"));
        std::string command = "convert -size 32x32 xc:blue -fill 'rgb(255,128,0)' "
                              "-draw 'point 0,0' -type TrueColor -orient TopLeft " +
                              directory.file("Media/ShadeBob.tga");
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    ScreenBuffer frame() {
        ShadeBobsFrame();
        ScreenBuffer screen;
        readShownPage(screen);
        return screen;
    }
    static bool covers(BobPosition bob, int x, int y) {
        return x >= bob.x && x < bob.x + bobSize && y >= bob.y && y < bob.y + bobSize;
    }
    // Where the caption's opaque pixels are white for one of the nine jitters: its
    // top-left corner, or (-1, -1).
    static BobPosition captionCorner(const ScreenBuffer& screen) {
        for (int r1 = 0; r1 < 3; ++r1)
            for (int r2 = 0; r2 < 3; ++r2) {
                bool white = true;
                for (unsigned y = 0; y < captionImage->height && white; ++y)
                    for (unsigned x = 0; x < captionImage->width && white; ++x)
                        if (captionImage->alphaData[y * captionImage->width + x] == 255)
                            white = screen.at(400 + r2 + x, 347 + r1 + y) == 0xFFFF;
                if (white)
                    return {400 + r2, 347 + r1};
            }
        return {-1, -1};
    }
};

TEST_P(ShadeBobsTest, PathAtTimeZero) {
    EXPECT_EQ(ShadeBobPosition(0, 0).x, 444);
    EXPECT_EQ(ShadeBobPosition(0, 0).y, 324);
    EXPECT_EQ(ShadeBobPosition(0, 14).x, 492);
    EXPECT_EQ(ShadeBobPosition(0, 14).y, 310);
    // Copy i at time t stands where the head stood 32 x (14 - i) ms earlier.
    EXPECT_EQ(ShadeBobPosition(1000, 3).x, ShadeBobPosition(1000 - 32 * 11, 14).x);
    EXPECT_EQ(ShadeBobPosition(1000, 3).y, ShadeBobPosition(1000 - 32 * 11, 14).y);
}

TEST_P(ShadeBobsTest, HeadInTheFlatColourOldestCopyInvisible) {
    writeBob();
    InitShadeBobs();
    ASSERT_EQ(bobImage->width, 32u);
    unsigned short colour = bobImage->rgbData[0];
    ASSERT_NE(colour, bobImage->rgbData[1]);
    fillBackBuffer(0x1234);
    ScreenBuffer screen = frame();
    screen.saveForViewing("shade_bobs_" + std::to_string(GetParam()), graphicsMode());

    BobPosition head = ShadeBobPosition(0, 14);
    for (int y = head.y; y < head.y + bobSize; ++y)
        for (int x = head.x; x < head.x + bobSize; ++x)
            ASSERT_EQ(screen.at(x, y), colour) << x << "," << y;

    // Where only the oldest copy would lie the screen stays black; where only the next one
    // lies, its opacity of 15 leaves a faint trace.
    int oldestAlone = 0, secondAlone = 0;
    for (int y = 0; y < 347; ++y)
        for (int x = 0; x < 640; ++x) {
            int coveringCopies = 0, lastCopy = -1;
            for (int copy = 0; copy <= 14; ++copy)
                if (covers(ShadeBobPosition(0, copy), x, y)) {
                    ++coveringCopies;
                    lastCopy = copy;
                }
            if (coveringCopies == 0) {
                ASSERT_EQ(screen.at(x, y), 0) << x << "," << y;
            }
            if (coveringCopies == 1 && lastCopy == 0) {
                ++oldestAlone;
                ASSERT_EQ(screen.at(x, y), 0) << x << "," << y;
            }
            if (coveringCopies == 1 && lastCopy == 1) {
                ++secondAlone;
                ASSERT_NE(screen.at(x, y), 0) << x << "," << y;
                ASSERT_NE(screen.at(x, y), colour) << x << "," << y;
            }
        }
    EXPECT_GT(oldestAlone, 0);
    EXPECT_GT(secondAlone, 0);
}

TEST_P(ShadeBobsTest, CaptionTremblesWithinThreePixels) {
    writeBob();
    InitShadeBobs();
    ASSERT_GT(captionImage->width, 0u);
    ASSERT_NE(captionImage->alphaData, nullptr);
    int seen[3][3] = {};
    for (int n = 0; n < 40; ++n) {
        BobPosition corner = captionCorner(frame());
        ASSERT_GE(corner.x, 400);
        seen[corner.y - 347][corner.x - 400] = 1;
    }
    int places = 0;
    for (auto& row : seen)
        for (int place : row)
            places += place;
    EXPECT_GT(places, 3);
}

TEST_P(ShadeBobsTest, MissingBobImageLeavesOnlyTheCaption) {
    InitShadeBobs();
    EXPECT_EQ(bobImage->width, 0u);
    ScreenBuffer screen = frame();
    EXPECT_GE(captionCorner(screen).x, 400);
    for (int y = 0; y < 347; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(screen.at(x, y), 0);
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(ShadeBobsTest);

} // namespace
