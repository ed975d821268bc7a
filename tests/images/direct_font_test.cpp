#include "font_files.h"
#include "temp_directory.h"

#include <TDirectFont.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

using ::testing::HasSubstr;

const unsigned char* text(const char* characters) {
    return reinterpret_cast<const unsigned char*>(characters);
}

class DirectFontTest : public ::testing::Test {
protected:
    // 18 pixels wide (not a multiple of 4), four glyph rows, markers at 5, 9 and 14.
    void SetUp() override {
        picture = fontPicture(18, 4, {5, 9, 14});
        writeFontBmp("font.bmp", picture);
        bmp = readBytes("font.bmp");
        ASSERT_GT(bmp.size(), 54u);
        ASSERT_EQ(bmp[28], 8) << "ImageMagick wrote another depth";
        ASSERT_EQ(littleEndian32(bmp, 14), 40u);
        ASSERT_EQ(int32_t(littleEndian32(bmp, 22)), 5) << "expected a bottom-first file";
        ASSERT_EQ(paletteIndexOf(bmp, 0), 0) << "the spacing row's background must be byte 0";
    }

    void expectGlyphStripOf(TDirectFont& font) {
        ASSERT_NE(font.getFontData(), nullptr);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 18; ++x)
                ASSERT_EQ(font.getFontData()[y * font.width + x],
                          paletteIndexOf(bmp, picture.at(x, y)))
                    << "at " << x << ", " << y;
    }

    TempDirectory directory;
    GreyPicture picture;
    std::vector<uint8_t> bmp;
};

TEST_F(DirectFontTest, BottomFirstFileGivesPaletteIndexesAndGlyphsFromTheSpacingRow) {
    TDirectFont font("FONT.BMP");
    EXPECT_STREQ(font.fileName, "FONT.BMP");
    EXPECT_EQ(font.width, 18);
    EXPECT_EQ(font.height, 4);
    expectGlyphStripOf(font);

    EXPECT_EQ(font.lastGlyph, 2);
    EXPECT_EQ(font.getCharPos(' '), 0);
    EXPECT_EQ(font.getCharWidth(' '), 5);
    EXPECT_EQ(font.getCharPos('!'), 5);
    EXPECT_EQ(font.getCharWidth('!'), 4);
    EXPECT_EQ(font.getCharPos('"'), 9);
    EXPECT_EQ(font.getCharWidth('"'), 5);
    EXPECT_EQ(font.getCharPos('#'), 0);
    EXPECT_EQ(font.getCharWidth('#'), 0);
    for (int control = 0; control < 32; ++control)
        EXPECT_EQ(font.getCharWidth(static_cast<unsigned char>(control)), 0) << control;
}

TEST_F(DirectFontTest, TopFirstFileLoadsLikeTheSameBottomFirstOne) {
    writeBytes("top.bmp", storedTopFirst(bmp));
    TDirectFont bottomFirst("font.bmp");
    TDirectFont topFirst("top.bmp");
    ASSERT_EQ(topFirst.width, bottomFirst.width);
    ASSERT_EQ(topFirst.height, bottomFirst.height);
    expectGlyphStripOf(topFirst);
    EXPECT_EQ(std::memcmp(topFirst.spacings, bottomFirst.spacings,
                          sizeof(TDirectFont::Spacing) * TDirectFont::glyphCount),
              0);
    EXPECT_EQ(topFirst.lastGlyph, bottomFirst.lastGlyph);
}

TEST_F(DirectFontTest, StringWidthStopsAtTheFirstLineBreak) {
    TDirectFont font("font.bmp");
    EXPECT_EQ(font.getStringWidth(text(" !\"")), 14);
    EXPECT_EQ(font.getStringWidth(text("\n !")), 0);
    EXPECT_EQ(font.getStringWidth(text("!!\r  ")), 8);
    EXPECT_EQ(font.getStringWidth(text("!#\t!")), 8);
    EXPECT_EQ(font.getStringWidth(nullptr), 0);
}

TEST_F(DirectFontTest, TruncatedFileLeavesTheUnreadRowsZero) {
    // Stored bottom row first: cutting the end takes the top glyph row and half the next.
    std::vector<uint8_t> cut(bmp.begin(), bmp.end() - 20 - 10);
    writeBytes("cut.bmp", cut);
    TDirectFont font("cut.bmp");
    ASSERT_EQ(font.height, 4);
    for (int x = 0; x < 18; ++x)
        EXPECT_EQ(font.getFontData()[x], 0) << x;
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(font.getFontData()[18 + x], paletteIndexOf(bmp, picture.at(x, 1))) << x;
    for (int x = 10; x < 18; ++x)
        EXPECT_EQ(font.getFontData()[18 + x], 0) << x;
    EXPECT_EQ(font.getCharWidth('!'), 4);
}

TEST_F(DirectFontTest, RejectedFilesLeaveAnEmptyFontAfterAMessage) {
    std::vector<uint8_t> reversed(bmp);
    std::swap(reversed[0], reversed[1]);
    writeBytes("mb.bmp", reversed);

    ::testing::internal::CaptureStderr();
    TDirectFont wrongType("mb.bmp");
    std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(message, HasSubstr("[DirectFont] Falsches Font-Format!"));
    EXPECT_EQ(wrongType.width, 0);
    EXPECT_EQ(wrongType.height, 0);
    EXPECT_EQ(wrongType.getFontData(), nullptr);
    EXPECT_EQ(wrongType.getCharWidth(' '), 0);
    EXPECT_EQ(wrongType.getStringWidth(text("!!")), 0);

    ::testing::internal::CaptureStderr();
    TDirectFont missing("nowhere.bmp");
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                HasSubstr("[DirectFont] Falscher Font-Name!"));
    EXPECT_EQ(missing.getFontData(), nullptr);
    EXPECT_EQ(missing.getCharPos('!'), 0);
}

TEST_F(DirectFontTest, Code255HasAGlyphOnlyWith224Markers) {
    std::vector<int> markers;
    for (int i = 1; i <= 224; ++i)
        markers.push_back(2 * i);
    writeFontBmp("full.bmp", fontPicture(452, 1, markers));
    markers.pop_back();
    writeFontBmp("short.bmp", fontPicture(452, 1, markers));

    TDirectFont full("full.bmp");
    EXPECT_EQ(full.lastGlyph, 223);
    EXPECT_EQ(full.getCharPos(255), 446);
    EXPECT_EQ(full.getCharWidth(255), 2);
    EXPECT_EQ(full.getCharWidth(' '), 2);

    TDirectFont fewer("short.bmp");
    EXPECT_EQ(fewer.lastGlyph, 222);
    EXPECT_EQ(fewer.getCharWidth(254), 2);
    EXPECT_EQ(fewer.getCharWidth(255), 0);
}

} // namespace
