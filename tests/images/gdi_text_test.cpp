#include "display_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

// GDI text on a surface's device context, as the text images use it.
class GdiTextTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        surface = makeSurface(200, 60);
        fill(surface, 0x0000);
        ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    }
    void TearDown() override {
        if (dc)
            surface->ReleaseDC(dc);
        DisplayTest::TearDown();
    }

    static LOGFONTA describe(LONG height, LONG weight = FW_NORMAL, BYTE italic = 0) {
        LOGFONTA font;
        std::memset(&font, 0, sizeof font);
        font.lfHeight = height;
        font.lfWeight = weight;
        font.lfItalic = italic;
        std::strcpy(font.lfFaceName, "Arial");
        return font;
    }

    // The caption's measured rectangle with the font selected.
    RECT measure(const LOGFONTA& description, const char* text) {
        HFONT font = CreateFontIndirectA(&description);
        EXPECT_NE(font, nullptr);
        HGDIOBJ previous = SelectObject(dc, font);
        EXPECT_NE(previous, nullptr);
        RECT rect = {0, 0, 0, 0};
        DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_EQ(SelectObject(dc, previous), font);
        EXPECT_TRUE(DeleteObject(font));
        return rect;
    }

    // The pixel values the text left on the surface (after giving the DC back).
    std::set<uint16_t> drawnPixels(const LOGFONTA& description, const char* text, COLORREF colour) {
        HFONT font = CreateFontIndirectA(&description);
        HGDIOBJ previous = SelectObject(dc, font);
        SetTextColor(dc, colour);
        EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
        RECT rect = {0, 0, 200, 60};
        EXPECT_GT(DrawTextA(dc, text, -1, &rect, DT_SINGLELINE), 0);
        SelectObject(dc, previous);
        DeleteObject(font);
        surface->ReleaseDC(dc);
        dc = nullptr;
        std::set<uint16_t> values;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x)
                values.insert(pixelAt(surface, x, y));
        return values;
    }

    LPSURFACE surface = nullptr;
    HDC dc = nullptr;
};

TEST_P(GdiTextTest, PositiveHeightIsTheCellAndNegativeTheCharacters) {
    EXPECT_EQ(measure(describe(20), "Ag").bottom, 20);
    // The em of 20 pixels sits in a taller cell, with room for accents and descenders.
    LONG cell = measure(describe(-20), "Ag").bottom;
    EXPECT_GT(cell, 20);
    EXPECT_LE(cell, 25);
}

TEST_P(GdiTextTest, WeightAndItalicAreHonoured) {
    LONG regular = measure(describe(-20), "Weight").right;
    LONG bold = measure(describe(-20, FW_BOLD), "Weight").right;
    EXPECT_GT(bold, regular);
    EXPECT_NE(drawnPixels(describe(-20, FW_NORMAL, 1), "I", 0xFFFFFF).size(), 1u);
}

TEST_P(GdiTextTest, DefaultQualityTextIsExactlyTheTextColour) {
    std::set<uint16_t> white = drawnPixels(describe(-20), "Glimmerfall", 0xFFFFFF);
    EXPECT_EQ(white, (std::set<uint16_t>{0x0000, display->wWhite}));
}

TEST_P(GdiTextTest, RedTextPacksIntoTheSurfaceLayout) {
    std::set<uint16_t> red = drawnPixels(describe(-20, FW_BOLD), "Red", RGB(255, 0, 0));
    EXPECT_EQ(red, (std::set<uint16_t>{0x0000, uint16_t(is565() ? 0xF800 : 0x7C00)}));
}

INSTANTIATE_FOR_BOTH_LAYOUTS(GdiTextTest);

} // namespace
