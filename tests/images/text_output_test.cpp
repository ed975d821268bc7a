#include "display_fixture.h"
#include "font_files.h"

#include <TDirectFont.h>

#include <luma/platform.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// Every character 32 to 255 has a glyph two pixels wide and three rows high, all coverage 255.
class TextOutputTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        std::vector<int> markers;
        for (int i = 1; i <= 224; ++i)
            markers.push_back(2 * i);
        writeFontBmp("font.bmp", fontPicture(452, 3, markers));
        font = std::make_unique<TDirectFont>("font.bmp");
        ASSERT_EQ(font->height, 3);
        std::memset(font->fontData, 255, size_t(font->width) * font->height);
    }

    // White drawn at full strength over black keeps 1/256 of black: 31 → 30, 63 → 62.
    uint16_t fullWhiteOverBlack() const { return is565() ? 0xF7DE : 0x7BDE; }
    uint16_t white() const { return is565() ? 0xFFFF : 0x7FFF; }

    std::unique_ptr<TDirectFont> font;
};

TEST_P(TextOutputTest, GlyphsMixTowardsTheColourAndLineFeedsStartANewLine) {
    LPSURFACE surface = makeSurface(16, 8);
    fill(surface, 0x0000);
    EXPECT_EQ(display->PrintText(font.get(), surface, 1, 1, "A\nB", white(), 0), 4);
    EXPECT_EQ(pixelAt(surface, 1, 1), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 2, 3), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 3, 1), 0x0000);
    // B: at the starting x, one font height lower.
    EXPECT_EQ(pixelAt(surface, 1, 4), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 2, 6), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 3, 4), 0x0000);
    EXPECT_EQ(pixelAt(surface, 1, 7), 0x0000);

    // A character above 127 with a glyph advances like any other; a tab draws nothing.
    fill(surface, 0x0000);
    display->PrintText(font.get(), surface, 0, 0, "\xE9\tx", white(), 0);
    EXPECT_EQ(pixelAt(surface, 1, 0), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 3, 0), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 4, 0), 0x0000);
}

TEST_P(TextOutputTest, TransparencyWeakensTheCoverage) {
    LPSURFACE surface = makeSurface(8, 4);
    fill(surface, is565() ? 0x1234 : 0x9234);
    display->PrintText(font.get(), surface, 0, 0, "AB", white(), 255);
    // Nothing changes, except that 5-5-5 pixels lose bit 15.
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x1234);
    EXPECT_EQ(pixelAt(surface, 3, 2), 0x1234);
    EXPECT_EQ(pixelAt(surface, 4, 0), is565() ? 0x1234 : 0x9234);

    // Transparency 127: 255 × 128 >> 8 = 127, so blue 31 over 0 becomes 15.
    fill(surface, 0x0000);
    display->PrintText(font.get(), surface, 0, 0, "A", 0x001F, 127);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x000F);
}

TEST_P(TextOutputTest, EmptyTextAndMissingFonts) {
    LPSURFACE surface = makeSurface(8, 4);
    fill(surface, 0x0101);
    EXPECT_EQ(display->PrintText(font.get(), surface, 0, 0, "", white(), 0), 1);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x0101);
    EXPECT_TRUE(canLock(surface));
    EXPECT_EQ(display->PrintText(nullptr, surface, 0, 0, "A", white(), 0), 0);
    ::testing::internal::CaptureStderr();
    TDirectFont missing("missing.bmp");
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(display->PrintText(&missing, surface, 0, 0, "A", white(), 0), 0);
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x0101);
}

TEST_P(TextOutputTest, TextIsClippedAtTheSurfaceEdges) {
    LPSURFACE surface = makeSurface(4, 4);
    fill(surface, 0x0000);
    // Half of A lies right of the surface, B wholly; the rows would run into the next ones.
    EXPECT_EQ(display->PrintText(font.get(), surface, 3, 2, "AB", white(), 0), 3);
    EXPECT_EQ(pixelAt(surface, 3, 2), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 3, 3), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 0, 3), 0x0000);
    EXPECT_EQ(pixelAt(surface, 0, 2), 0x0000);
    display->PrintText(font.get(), surface, -1, -2, "A", white(), 0);
    EXPECT_EQ(pixelAt(surface, 0, 0), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(surface, 1, 0), 0x0000);
    EXPECT_EQ(pixelAt(surface, 0, 1), 0x0000);
}

class LineInputTest : public TextOutputTest {
protected:
    // Keys typed one after another once the input waits for them.
    void typeLater(const std::string& keys) {
        DWORD at = LumaElapsed() + 50;
        for (char key : keys) {
            UINT virtualKey = key == '\r' ? VK_RETURN
                              : key == 27 ? VK_ESCAPE
                              : key == 8  ? VK_BACK
                                          : UINT(key);
            LumaPressKeyAt(at, window, virtualKey, key, FALSE);
            at += 20;
        }
    }
};

TEST_P(LineInputTest, TypingStopsAtMaxLengthAndReturnFinishes) {
    fill(display->lpPrimary, 0x0000);
    char buffer[8] = "";
    typeLater("abcd\r");
    EXPECT_EQ(display->Input(font.get(), 10, 20, buffer, 3, white()), 3);
    EXPECT_STREQ(buffer, "abc");
    // The text is shown without its cursor.
    EXPECT_EQ(pixelAt(display->lpPrimary, 14, 20), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(display->lpPrimary, 16, 20), 0x0000);
}

TEST_P(LineInputTest, EscapeRestoresTheEntryText) {
    fill(display->lpPrimary, 0x0000);
    char buffer[8] = "ab";
    typeLater("cd\x1b");
    EXPECT_EQ(display->Input(font.get(), 10, 20, buffer, 6, white()), 2);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(pixelAt(display->lpPrimary, 13, 22), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(display->lpPrimary, 14, 20), 0x0000);
    EXPECT_EQ(pixelAt(display->lpPrimary, 16, 20), 0x0000);
}

TEST_P(LineInputTest, BackspaceOnAnEmptyLineAndKeysFromBeforeAreIgnored) {
    fill(display->lpPrimary, 0x0000);
    LumaPressKey(window, 'Q', 'q', FALSE);
    char buffer[8] = "";
    typeLater("\b\bxy\bz\r");
    EXPECT_EQ(display->Input(font.get(), 0, 0, buffer, 5, white()), 2);
    EXPECT_STREQ(buffer, "xz");
    EXPECT_EQ(pixelAt(display->lpPrimary, 3, 0), fullWhiteOverBlack());
    EXPECT_EQ(pixelAt(display->lpPrimary, 4, 0), 0x0000);
}

INSTANTIATE_FOR_BOTH_LAYOUTS(TextOutputTest);
INSTANTIATE_FOR_BOTH_LAYOUTS(LineInputTest);

} // namespace
