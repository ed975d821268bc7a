#include "display_fixture.h"
#include "font_files.h"

#include <TBitmap.h>
#include <TDirectFont.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>

namespace {

class TextBitmapTest : public DisplayTest {
protected:
    LOGFONTA arial(LONG height) {
        LOGFONTA font;
        std::memset(&font, 0, sizeof font);
        font.lfHeight = height;
        font.lfWeight = FW_BOLD;
        font.lfQuality = DEFAULT_QUALITY;
        std::strcpy(font.lfFaceName, "Arial");
        return font;
    }

    std::set<int> alphaValues(const TBitmap& image) {
        return std::set<int>(image.alphaData, image.alphaData + image.width * image.height);
    }

    // The caption's size as DrawTextA measures it with the font on a surface of the display.
    RECT measured(const LOGFONTA& font, const char* caption) {
        LPSURFACE surface = makeSurface(1, 1);
        HDC dc = nullptr;
        RECT rect = {0, 0, 0, 0};
        EXPECT_EQ(surface->GetDC(&dc), DD_OK);
        HFONT handle = CreateFontIndirectA(&font);
        EXPECT_NE(handle, nullptr);
        HGDIOBJ previous = SelectObject(dc, handle);
        DrawTextA(dc, caption, -1, &rect, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, previous);
        DeleteObject(handle);
        surface->ReleaseDC(dc);
        return rect;
    }
};

TEST_P(TextBitmapTest, ScaleOneGivesHardEdgesFromExactlyWhiteText) {
    LOGFONTA font = arial(-24);
    TBitmap caption(display, &font, "Glimmer", 1);
    RECT size = measured(arial(-24), "Glimmer");
    ASSERT_GT(size.right, 0);
    EXPECT_EQ(caption.width, unsigned(size.right));
    EXPECT_EQ(caption.height, unsigned(size.bottom));
    EXPECT_EQ(caption.rgbData, nullptr);
    EXPECT_EQ(alphaValues(caption), (std::set<int>{0, 255}));
    EXPECT_EQ(newLog(), "");
}

TEST_P(TextBitmapTest, SupersamplingGivesAlphaStepsOfItsScale) {
    const std::set<int> allowed[] = {
        {},
        {0, 255},
        {0, 64, 128, 192, 255},
        {0, 28, 56, 84, 112, 140, 168, 196, 224, 252},
        {0, 16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 208, 224, 240, 255},
    };
    for (unsigned char scale = 2; scale <= 4; ++scale) {
        LOGFONTA font = arial(-20);
        TBitmap caption(display, &font, "Wave", scale);
        EXPECT_EQ(font.lfHeight, -20 * scale);
        RECT size = measured(font, "Wave");
        EXPECT_EQ(caption.width, (unsigned(size.right) + scale - 1) / scale) << int(scale);
        EXPECT_EQ(caption.height, (unsigned(size.bottom) + scale - 1) / scale) << int(scale);
        std::set<int> values = alphaValues(caption);
        for (int value : values)
            EXPECT_EQ(allowed[scale].count(value), 1u) << value << " at scale " << int(scale);
        EXPECT_GT(values.size(), 3u) << "expected soft edges at scale " << int(scale);
        EXPECT_EQ(values.count(255), scale == 3 ? 0u : 1u);
    }
}

TEST_P(TextBitmapTest, ReusingTheFontStructureScalesItAgain) {
    LOGFONTA font = arial(-12);
    TBitmap first(display, &font, "Ab", 2);
    EXPECT_EQ(font.lfHeight, -24);
    TBitmap second(display, &font, "Ab", 2);
    EXPECT_EQ(font.lfHeight, -48);
    RECT doubled = measured(font, "Ab");
    EXPECT_EQ(second.height, (unsigned(doubled.bottom) + 1) / 2);
    EXPECT_GT(second.height, first.height * 3 / 2);
}

TEST_P(TextBitmapTest, LineFeedInACaptionStaysOnOneLine) {
    LOGFONTA one = arial(-16);
    LOGFONTA two = arial(-16);
    TBitmap plain(display, &one, "AB", 1);
    TBitmap broken(display, &two, "A\nB", 1);
    EXPECT_EQ(broken.height, plain.height);
}

// Glyphs two pixels wide, three rows high; glyph c holds the value c in every pixel.
class FontTextTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        std::vector<int> markers;
        for (int i = 1; i <= 224; ++i)
            markers.push_back(2 * i);
        writeFontBmp("font.bmp", fontPicture(452, 3, markers));
        font = std::make_unique<TDirectFont>("font.bmp");
        ASSERT_EQ(font->height, 3);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 448; ++column)
                font->fontData[row * font->width + column] = uint8_t(32 + column / 2);
    }

    int alphaAt(const TBitmap& image, unsigned x, unsigned y) {
        return image.alphaData[y * image.width + x];
    }

    std::unique_ptr<TDirectFont> font;
};

TEST_P(FontTextTest, LinesOfGlyphsBecomeAlpha) {
    TBitmap text(display, font.get(), "AB\nC");
    ASSERT_EQ(text.width, 4u);
    ASSERT_EQ(text.height, 6u);
    EXPECT_EQ(text.rgbData, nullptr);
    EXPECT_EQ(alphaAt(text, 0, 0), 'A');
    EXPECT_EQ(alphaAt(text, 3, 2), 'B');
    EXPECT_EQ(alphaAt(text, 1, 5), 'C');
    EXPECT_EQ(alphaAt(text, 2, 3), 0);
    EXPECT_EQ(alphaAt(text, 3, 5), 0);
}

TEST_P(FontTextTest, LaterLinesAreCutAtTheFirstLinesWidth) {
    TBitmap text(display, font.get(), "A\nBCD");
    ASSERT_EQ(text.width, 2u);
    ASSERT_EQ(text.height, 6u);
    EXPECT_EQ(alphaAt(text, 1, 2), 'A');
    EXPECT_EQ(alphaAt(text, 0, 3), 'B');
    EXPECT_EQ(alphaAt(text, 1, 5), 'B');
}

TEST_P(FontTextTest, CarriageReturnEndsTheMeasureAndDrawsNothing) {
    TBitmap text(display, font.get(), "AB\r\nC");
    ASSERT_EQ(text.width, 4u);
    ASSERT_EQ(text.height, 6u);
    EXPECT_EQ(alphaAt(text, 2, 0), 'B');
    EXPECT_EQ(alphaAt(text, 0, 3), 'C');
    EXPECT_EQ(alphaAt(text, 2, 3), 0);
}

INSTANTIATE_FOR_BOTH_LAYOUTS(TextBitmapTest);
INSTANTIATE_FOR_BOTH_LAYOUTS(FontTextTest);

} // namespace
