#include "scene_display.h"
#include "screen_buffer.h"

#include "demo_state.h"
#include "scenes/greetings_tunnel.h"
#include "shared_textures.h"

#include <TBitmap.h>

#include <climits>

namespace {

class GreetingsTunnelTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        BuildTunnelTable();
        // Each texel holds its own number, so a pixel tells which texel it shows.
        tunnelTexture = numberedTexture();
    }
    void TearDown() override {
        delete tunnelTexture;
        tunnelTexture = nullptr;
        SceneTest::TearDown();
    }

    void draw(int time, ScreenBuffer& screen) {
        DrawGreetingsTunnel(time, screen.data(), ScreenBuffer::pitch);
    }
};

TEST_P(GreetingsTunnelTest, TexelsFollowAngleAndDepth) {
    ScreenBuffer screen;
    draw(0, screen);
    screen.saveForViewing("tunnel_numbers", graphicsMode());
    // (angle x 256 / pi) x 256 + 16384 / distance, both truncated, from the centre (320, 240).
    EXPECT_EQ(screen.at(0, 64), 87 * 256 + 44);
    EXPECT_EQ(screen.at(319, 64), 0 * 256 + 93);
    EXPECT_EQ(screen.at(319, 240), 128 * 256 + 174);
    EXPECT_EQ(screen.at(320, 240), 128 * 256 + 174);
    // Row 64's right half comes from the line computed for row 416.
    EXPECT_EQ(screen.at(639, 64), 168 * 256 + 44);
    EXPECT_TRUE(screen.untouchedOutsideBand());
}

TEST_P(GreetingsTunnelTest, LowerHalfMirrorsAndUpperRightTurnsLowerLeft) {
    ScreenBuffer screen;
    draw(777, screen);
    for (int y = 240; y < 416; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(screen.at(x, y), screen.at(639 - x, y)) << x << "," << y;
    // Row 64's partner, row 416, lies outside the band.
    for (int y = 65; y < 240; ++y)
        for (int x = 320; x < 640; ++x)
            ASSERT_EQ(screen.at(x, y), screen.at(639 - x, 480 - y)) << x << "," << y;
}

TEST_P(GreetingsTunnelTest, OffsetStreamsDepthAndTurnsAngle) {
    ScreenBuffer start, later;
    draw(0, start);
    auto shiftedBy = [&](int time, unsigned int offset) {
        draw(time, later);
        for (int y = 64; y < 416; ++y)
            for (int x = 0; x < 640; ++x)
                if (later.at(x, y) != static_cast<unsigned short>(start.at(x, y) + offset))
                    return false;
        return later.untouchedOutsideBand();
    };
    EXPECT_TRUE(shiftedBy(1, 1));
    EXPECT_TRUE(shiftedBy(16, 16 + 256));
    EXPECT_TRUE(shiftedBy(255, 255 + 15 * 256));
    // 4096 ms: 0 + 256 x 256, which the 16-bit texel number drops.
    EXPECT_TRUE(shiftedBy(4096, 0));
    // Hours of scene time keep the same rule: 255 + (134217727 x 256 mod 65536) = 65535.
    EXPECT_TRUE(shiftedBy(INT_MAX, 65535));
}

TEST_P(GreetingsTunnelTest, MissingTextureDrawsBlack) {
    delete tunnelTexture;
    tunnelTexture = nullptr;
    ScreenBuffer screen;
    draw(100, screen);
    for (int y = 64; y < 416; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(screen.at(x, y), 0);
    EXPECT_TRUE(screen.untouchedOutsideBand());

    tunnelTexture = plainImage(16, 16, 0x1234);
    draw(100, screen);
    EXPECT_TRUE(screen.untouchedOutsideBand());
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(GreetingsTunnelTest);

} // namespace

namespace {

const char* const names[11] = {"Vellumox", "Quorrith", "Zyndrel",  "Orbakite",
                               "Plimsoda", "Kestrune", "Nuvolith", "Frinkwave",
                               "Yarrowin", "Bramblux", "Tessaloo"};

class GreetingsFrameTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        tunnelTexture = plainImage(256, 256, 0);
        InitGreetings();
    }
    void TearDown() override {
        FreeGreetings();
        delete tunnelTexture;
        tunnelTexture = nullptr;
        SceneTest::TearDown();
    }
    ScreenBuffer frame(unsigned char sync) {
        syncByte = sync;
        GreetingsFrame();
        ScreenBuffer screen;
        readShownPage(screen);
        return screen;
    }
    // Whether the name's opaque pixels are white at one of the 25 jitters.
    static bool nameShown(const ScreenBuffer& screen, const Greeting& greeting,
                          unsigned short white) {
        const TBitmap& image = *greeting.image;
        for (int r1 = 0; r1 < 5; ++r1)
            for (int r2 = 0; r2 < 5; ++r2) {
                bool shown = true;
                for (unsigned y = 0; y < image.height && shown; ++y)
                    for (unsigned x = 0; x < image.width && shown; ++x)
                        if (image.alphaData[y * image.width + x] == 255)
                            shown = screen.at(greeting.x + r2 + x, greeting.y + r1 + y) == white;
                if (shown)
                    return true;
            }
        return false;
    }
};

TEST_P(GreetingsFrameTest, NamesCentredTwoPixelsUpAndLeft) {
    for (int i = 0; i < 11; ++i) {
        const Greeting& greeting = greetings[i];
        EXPECT_STREQ(greeting.text, names[i]);
        ASSERT_NE(greeting.image->alphaData, nullptr);
        EXPECT_GT(greeting.image->width, 0u);
        EXPECT_LE(greeting.image->width, 636u);
        EXPECT_LE(greeting.image->height, 476u);
        EXPECT_EQ(greeting.x, static_cast<int>((640 - greeting.image->width) / 2 - 2));
        EXPECT_EQ(greeting.y, static_cast<int>((480 - greeting.image->height) / 2 - 2));
    }
}

TEST_P(GreetingsFrameTest, SyncPicksTheNameAndElevenUpShowsNone) {
    // A text image has no colour plane: the name is painted white (0xFFFF) through its alpha.
    for (unsigned char sync : {0, 7, 10}) {
        ScreenBuffer screen = frame(sync);
        EXPECT_TRUE(nameShown(screen, greetings[sync], 0xFFFF)) << int(sync);
    }
    for (unsigned char sync : {11, 12, 255}) {
        ScreenBuffer screen = frame(sync);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                ASSERT_EQ(screen.at(x, y), 0) << int(sync);
    }
}

INSTANTIATE_IN_BOTH_GRAPHICS_MODES(GreetingsFrameTest);

} // namespace
