#include "scene_display.h"
#include "screen_buffer.h"

#include "demo_state.h"
#include "random.h"
#include "scenes/photo_frame.h"
#include "scenes/vortex.h"
#include "shared_textures.h"

#include <TBitmap.h>

#include <climits>
#include <filesystem>

namespace {

// The photo image's layout: 128 pixels a row; the frame in rows 0 to 103, then four label
// strips of 24 rows; the picture area (124 x 100) from row 2, column 2.
const int photoWidth = 128;

class PhotoFrameTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        BuildPhotoTables();
        lifeTexture = numberedTexture();
        // Each photo pixel holds row x 128 + column + 1: never 0, and it tells its place.
        photoImage = plainImage(photoWidth, 200, 0);
        for (int n = 0; n < photoWidth * 200; ++n)
            photoImage->rgbData[n] = static_cast<unsigned short>(n + 1);
        photoX = 300;
        photoY = 200;
        photoLabel = 2;
        SeedRandom(11);
    }
    void TearDown() override {
        delete photoImage;
        photoImage = nullptr;
        delete lifeTexture;
        lifeTexture = nullptr;
        SceneTest::TearDown();
    }

    ScreenBuffer draw(unsigned char sync, int time = 0) {
        syncByte = sync;
        ScreenBuffer screen;
        DrawPhotoFrame(time, screen.data(), ScreenBuffer::pitch);
        return screen;
    }
    static unsigned short photoPixel(int row, int column) {
        return static_cast<unsigned short>(row * photoWidth + column + 1);
    }
    // The picture area's pixel (i, j) on the screen.
    static unsigned short picture(const ScreenBuffer& screen, int i, int j) {
        return screen.at(photoX + 2 + j, photoY + 2 + i);
    }
    // Whether the band is the numbered texture repeated every 256 columns, shifted right by
    // s and down by r, for some jitter s, r of 0 to 7 (outside the photo, when told to skip it).
    static bool backgroundOnly(const ScreenBuffer& screen, bool skipPhoto = false) {
        for (int r = 0; r < 8; ++r)
            for (int s = 0; s < 8; ++s) {
                bool matches = true;
                for (int y = 64; y < 416 && matches; ++y)
                    for (int x = 0; x < 640 && matches; ++x) {
                        if (skipPhoto && x >= photoX && x < photoX + photoWidth && y >= photoY &&
                            y < photoY + 128)
                            continue;
                        int texel = (r + y - 64) % 256 * 256 + (x + 256 - s) % 256;
                        matches = screen.at(x, y) == texel;
                    }
                if (matches)
                    return true;
            }
        return false;
    }
};

TEST_P(PhotoFrameTest, SyncFourDarkensTheTextureOnceAndBecomesFive) {
    for (int n = 0; n < 65536; ++n)
        lifeTexture->rgbData[n] = 0xFFFF;
    ScreenBuffer screen = draw(4);
    EXPECT_EQ(syncByte, 5);
    // Each channel x 240 / 256, read as 5-6-5 in both modes: 29, 59, 29.
    for (int n = 0; n < 65536; ++n)
        ASSERT_EQ(lifeTexture->rgbData[n], 0xEF7D) << n;
    for (int y = 64; y < 416; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(screen.at(x, y), 0xEF7D) << x << "," << y;
    EXPECT_TRUE(screen.untouchedOutsideBand());

    draw(5);
    EXPECT_EQ(lifeTexture->rgbData[0], 0xEF7D);
    // Each time the music sets 4 again: 27, 55, 27.
    draw(4);
    EXPECT_EQ(lifeTexture->rgbData[0], 27 << 11 | 55 << 5 | 27);
}

TEST_P(PhotoFrameTest, SyncFiveAndSevenUpShowOnlyTheBackground) {
    for (unsigned char sync : {5, 7, 8, 200, 255}) {
        ScreenBuffer screen = draw(sync);
        EXPECT_TRUE(backgroundOnly(screen)) << int(sync);
        EXPECT_TRUE(screen.untouchedOutsideBand());
        EXPECT_EQ(syncByte, sync);
    }
}

TEST_P(PhotoFrameTest, PhotoWithItsLabelStripOverTheBackground) {
    ScreenBuffer screen = draw(2);
    screen.saveForViewing("photo_black", graphicsMode());
    EXPECT_TRUE(backgroundOnly(screen, true));
    for (int row = 0; row < 104; ++row)
        for (int column = 0; column < photoWidth; ++column) {
            bool inPicture = row >= 2 && row < 102 && column >= 2 && column < 126;
            ASSERT_EQ(screen.at(photoX + column, photoY + row),
                      inPicture ? 0 : photoPixel(row, column))
                << row << "," << column;
        }
    for (int row = 0; row < 24; ++row)
        for (int column = 0; column < photoWidth; ++column)
            ASSERT_EQ(screen.at(photoX + column, photoY + 104 + row),
                      photoPixel(2 * 24 + 104 + row, column));
    EXPECT_TRUE(screen.untouchedOutsideBand());
}

TEST_P(PhotoFrameTest, WobbleAtTimeZero) {
    ScreenBuffer screen = draw(1);
    // T = 0: A = wobbleA[0] = 98, C = wobbleB[0] = 122. Row 0: m = 122; column 0:
    // v = (98 + 0 + 98) / 4 = 49, u = (0 + 122 + 122) / 4 = 61.
    EXPECT_EQ(picture(screen, 0, 0), photoPixel(49 + 2, 61 + 2));
    // Row 50, column 62 sit at index 512 of both waves, where cos is -1 and the waves 0:
    // v = (0 + 100 + 98) / 4 = 49, u = (124 + 122 + 0) / 4 = 61.
    EXPECT_EQ(picture(screen, 50, 62), photoPixel(49 + 2, 61 + 2));
    // Column 123, row 99: index 1015 of wobbleA gives 97, of wobbleB (row 99: 1013) 121.
    EXPECT_EQ(picture(screen, 99, 123),
              photoPixel((97 + 198 + 98) / 4 + 2, (246 + 122 + 121) / 4 + 2));
}

TEST_P(PhotoFrameTest, WobbleStaysInsideThePictureAtAnySceneTime) {
    for (int time : {1000, 2097151, 2097152, 100000000, INT_MAX}) {
        ScreenBuffer screen = draw(1, time);
        for (int i = 0; i < 100; ++i)
            for (int j = 0; j < 124; ++j) {
                int n = picture(screen, i, j) - 1;
                ASSERT_GE(n / photoWidth, 2) << time;
                ASSERT_LE(n / photoWidth, 100) << time;
                ASSERT_GE(n % photoWidth, 2) << time;
                ASSERT_LE(n % photoWidth, 124) << time;
            }
    }
}

TEST_P(PhotoFrameTest, TwoCentreDistortionAtTimeZero) {
    ScreenBuffer screen = draw(3);
    // Both centres at (120, 100): row 99, column 123 is sqrt(10) = 3 away from each,
    // row 0, column 0 sqrt(24400) = 156.
    EXPECT_EQ(picture(screen, 99, 123), photoPixel(3 / 2 + 2, 3 / 2 + 2));
    EXPECT_EQ(picture(screen, 0, 0), photoPixel(78 + 2, 78 + 2));
    EXPECT_EQ(picture(screen, 99, 120), photoPixel(0 + 2, 0 + 2));
}

TEST_P(PhotoFrameTest, NoiseChangesEveryFrame) {
    ScreenBuffer first = draw(0), second = draw(0);
    int same = 0;
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 124; ++j)
            same += picture(first, i, j) == picture(second, i, j);
    EXPECT_LT(same, 10);
}

TEST_P(PhotoFrameTest, MissingImagesDrawBlack) {
    delete photoImage;
    photoImage = nullptr;
    delete lifeTexture;
    lifeTexture = nullptr;
    for (unsigned char sync : {1, 3, 4}) {
        ScreenBuffer screen = draw(sync);
        for (int y = 64; y < 416; ++y)
            for (int x = 0; x < 640; ++x)
                ASSERT_EQ(screen.at(x, y), 0) << int(sync);
        EXPECT_TRUE(screen.untouchedOutsideBand());
    }
    // A photo too short for its label strips: black where it has no rows.
    photoImage = plainImage(photoWidth, 110, 0x1111);
    photoLabel = 3;
    ScreenBuffer screen = draw(2);
    EXPECT_EQ(screen.at(photoX, photoY + 103), 0x1111);
    EXPECT_EQ(screen.at(photoX, photoY + 104), 0);
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(PhotoFrameTest);

// The scene as the demo runs it: the photo and caption made by its set-up, frames drawn
// into the back buffer and flipped.
class PhotoSceneTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        std::filesystem::create_directory(directory.file("Media"));
        std::filesystem::copy_file(MEDIA_DIR "/Polaroid.tga", directory.file("Media/Polaroid.tga"));
        lifeTexture = plainImage(256, 256, 0xFFFF);
        InitPhotoFrame();
    }
    void TearDown() override {
        FreePhotoFrame();
        delete lifeTexture;
        lifeTexture = nullptr;
        SceneTest::TearDown();
    }
    ScreenBuffer frame(unsigned char sync) {
        syncByte = sync;
        PhotoFrameFrame();
        ScreenBuffer screen;
        readShownPage(screen);
        return screen;
    }
};

TEST_P(PhotoSceneTest, SetUpPlacesThePhotoAtRandom) {
    EXPECT_EQ(photoImage->width, 128u);
    EXPECT_GE(photoImage->height, 200u);
    EXPECT_GE(photoX, 0);
    EXPECT_LT(photoX, 512);
    EXPECT_GE(photoY, 64);
    EXPECT_LT(photoY, 288);
    EXPECT_EQ(photoLabel, 0);
    EXPECT_EQ(photoLastSync, 255);
    EXPECT_EQ(log().find("TBitmap"), std::string::npos) << log();
}

TEST_P(PhotoSceneTest, EveryChangeOfTheSyncByteThrowsThePhoto) {
    frame(0);
    EXPECT_EQ(photoLabel, 1);
    EXPECT_EQ(photoLastSync, 0);
    int x = photoX, y = photoY;
    frame(0);
    EXPECT_EQ(photoLabel, 1);
    EXPECT_EQ(photoX, x);
    EXPECT_EQ(photoY, y);
    ScreenBuffer screen = frame(1);
    EXPECT_EQ(photoLabel, 2);
    screen.saveForViewing("photo_scene_" + std::to_string(GetParam()), graphicsMode());
    // The frame's top-left pixel is the photo's.
    EXPECT_EQ(screen.at(photoX, photoY), photoImage->rgbData[0]);
}

TEST_P(PhotoSceneTest, SyncFourDarkensOnceThenFiveThrowsAgain) {
    frame(3);
    ScreenBuffer screen = frame(4);
    EXPECT_EQ(syncByte, 5);
    EXPECT_EQ(photoLabel, 2);
    EXPECT_EQ(lifeTexture->rgbData[0], 0xEF7D);
    EXPECT_EQ(screen.at(0, 64), 0xEF7D);
    // The next frame sees 4 become 5: the photo moves on, the texture stays.
    frame(5);
    EXPECT_EQ(photoLabel, 3);
    EXPECT_EQ(photoLastSync, 5);
    EXPECT_EQ(lifeTexture->rgbData[0], 0xEF7D);
}

TEST_P(PhotoSceneTest, VortexShowsTheDarkenedTexture) {
    InitVortex();
    ScreenBuffer before, after;
    DrawVortex(500, before.data(), ScreenBuffer::pitch);
    frame(4);
    DrawVortex(500, after.data(), ScreenBuffer::pitch);
    FreeVortex();
    for (int y = 64; y < 416; ++y)
        for (int x = 0; x < 640; ++x) {
            ASSERT_EQ(before.at(x, y), 0xFFFF);
            ASSERT_EQ(after.at(x, y), 0xEF7D);
        }
}

TEST_P(PhotoSceneTest, SyncSixPaintsOnlyTheCaptionOverWhatWasThere) {
    frame(6);
    int x = photoX, y = photoY, label = photoLabel;
    fillBackBuffer(0x0842);
    ScreenBuffer screen = frame(6);
    EXPECT_EQ(photoX, x);
    EXPECT_EQ(photoY, y);
    EXPECT_EQ(photoLabel, label);
    const TBitmap& caption = *photoCaption;
    ASSERT_GT(caption.width, 0u);
    unsigned left = (640 - caption.width) / 2, top = (480 - caption.height) / 2;
    int white = 0;
    for (int row = 0; row < 480; ++row)
        for (int column = 0; column < 640; ++column) {
            unsigned short pixel = screen.at(column, row);
            bool inCaption =
                unsigned(column) - left < caption.width && unsigned(row) - top < caption.height;
            if (inCaption &&
                caption.alphaData[(row - top) * caption.width + (column - left)] == 255) {
                ASSERT_EQ(pixel, 0xFFFF) << column << "," << row;
                ++white;
            } else if (!inCaption) {
                ASSERT_EQ(pixel, 0x0842) << column << "," << row;
            }
        }
    EXPECT_GT(white, 100);
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(PhotoSceneTest);

} // namespace
