// Headers found by fuzzing that claim far more than their files hold: the readers refuse the
// sizes no picture or font could have, and stop reading where the file ends.
#include "engine_host.h"

#include <TBitmap.h>
#include <TDirectFont.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string regression(const std::string& name) {
    return std::string(FUZZ_DIR) + "/regressions/" + name;
}

class ReaderLimitsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host = new EngineHost(EngineHost::displayOnly); }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
    }
    static EngineHost* host;
};

EngineHost* ReaderLimitsTest::host = nullptr;

TEST_F(ReaderLimitsTest, PictureOfFourBillionPixelsIsRefusedAsOutOfMemory) {
    for (unsigned long channels = 0; channels < 3; ++channels) {
        TBitmap image(host->display, regression("tga_reader/huge-picture-header.tga").c_str(),
                      channels);
        EXPECT_EQ(image.rgbData, nullptr) << channels;
        EXPECT_EQ(image.alphaData, nullptr) << channels;
        // Alpha only, of a picture without alpha, allocates nothing and keeps the size.
        if (channels != 1) {
            EXPECT_EQ(image.width * image.height, 0u) << channels;
        }
    }
}

TEST_F(ReaderLimitsTest, FontsOfMoreThanSixtyFourMillionPixelsAreRefused) {
    for (const char* name : {"huge-strip-header.bmp", "large-strip-short-file.bmp"}) {
        TDirectFont font(regression(std::string("bmp_font/") + name).c_str());
        EXPECT_EQ(font.getFontData(), nullptr) << name;
        EXPECT_EQ(font.getCharWidth('A'), 0) << name;
    }
}

TEST_F(ReaderLimitsTest, TallFontFromAShortFileKeepsItsSizeWithEmptyRows) {
    TDirectFont font(regression("bmp_font/tall-strip-short-file.bmp").c_str());
    ASSERT_NE(font.getFontData(), nullptr);
    // Stored bottom row first: the marker row, then two glyph rows; the rest is missing.
    ASSERT_EQ(font.width, 16);
    ASSERT_EQ(font.height, (1 << 20) - 1);
    EXPECT_EQ(font.getCharWidth('!'), 4);
    EXPECT_EQ(font.getCharPos('"'), 4);
    EXPECT_EQ(font.getCharWidth('"'), 5);
    const unsigned char* rows = font.getFontData();
    EXPECT_EQ(rows[size_t(font.height - 1) * 16], 100);
    EXPECT_EQ(rows[size_t(font.height - 2) * 16 + 15], 131);
    for (int x = 0; x < 16; ++x)
        ASSERT_EQ(rows[x], 0) << x;
}

} // namespace
