// The font renderer: faces found by their Windows names, sized and drawn as GDI does.
#include "text/font_library.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace luma;

namespace {

std::unique_ptr<FontFace> sans(int height, bool antialiased = false, bool bold = false) {
    FontRequest request;
    request.faceName = "Arial";
    request.height = height;
    request.antialiased = antialiased;
    request.bold = bold;
    return openFont(request);
}

int inkOf(const TextCoverage& line, int fromRow, int toRow) {
    int ink = 0;
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < line.width; ++x)
            ink += line.at(x, y) ? 1 : 0;
    return ink;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST(FontLibrary, WindowsSansFacesResolveToLiberationSansInTheirStyle) {
    struct Case {
        const char* face;
        bool bold, italic;
        const char* file;
    };
    for (const Case& wanted :
         {Case{"Arial", false, false, "LiberationSans-Regular.ttf"},
          Case{"arial", false, false, "LiberationSans-Regular.ttf"},
          Case{"MS Sans Serif", false, false, "LiberationSans-Regular.ttf"},
          Case{"Arial", true, false, "LiberationSans-Bold.ttf"},
          Case{"Arial", false, true, "LiberationSans-Italic.ttf"},
          Case{"MS Sans Serif", true, true, "LiberationSans-BoldItalic.ttf"}}) {
        FontFile file;
        ASSERT_TRUE(findFontFile(wanted.face, wanted.bold, wanted.italic, file)) << wanted.face;
        EXPECT_EQ(file.family, "Liberation Sans") << wanted.face;
        EXPECT_TRUE(endsWith(file.path, wanted.file)) << wanted.face << " gave " << file.path;
    }
}

TEST(FontLibrary, AnUnknownFaceFallsBackToAnOutlineFontThatDraws) {
    FontRequest request;
    request.faceName = "No Such Face Anywhere";
    request.height = -11;
    std::unique_ptr<FontFace> face = openFont(request);
    ASSERT_NE(face, nullptr);
    EXPECT_FALSE(face->familyName().empty());
    EXPECT_GT(inkOf(face->render("Sound"), 0, face->height()), 0);
}

TEST(FontSizing, APositiveHeightIsExactlyTheCell) {
    for (int height = 6; height <= 64; ++height) {
        std::unique_ptr<FontFace> face = sans(height);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->height(), height);
        EXPECT_EQ(face->ascent() + face->descent(), height);
    }
    // Liberation Sans has Arial's Windows metrics: ascent 1854 and descent 434 of 2048 units.
    std::unique_ptr<FontFace> sixteen = sans(16);
    EXPECT_EQ(sixteen->ascent(), 13); // 1854 × 16 / 2288 = 12.97
    EXPECT_EQ(sixteen->descent(), 3);
    EXPECT_EQ(sixteen->pixelsPerEm(), 14); // 2048 × 16 / 2288 = 14.3
}

TEST(FontSizing, ANegativeHeightIsTheEmAndTheCellIsTheWindowsMetrics) {
    std::unique_ptr<FontFace> eightPoint = sans(-11);
    EXPECT_EQ(eightPoint->pixelsPerEm(), 11);
    EXPECT_EQ(eightPoint->ascent(), 10); // 1854 × 11 / 2048 = 9.96
    EXPECT_EQ(eightPoint->descent(), 2); // 434 × 11 / 2048 = 2.33
    EXPECT_EQ(eightPoint->height(), 12);

    std::unique_ptr<FontFace> large = sans(-32);
    EXPECT_EQ(large->ascent(), 29); // 28.97
    EXPECT_EQ(large->descent(), 7); // 6.78
}

TEST(FontSizing, WildHeightsStillGiveAUsableFace) {
    for (int height : {0, 1, -1, 1 << 30, -(1 << 30)}) {
        std::unique_ptr<FontFace> face = sans(height);
        ASSERT_NE(face, nullptr) << height;
        EXPECT_GT(face->height(), 0) << height;
    }
}

TEST(FontRendering, MonochromeTextHasOnlyFullInkOrNone) {
    TextCoverage line = sans(-11)->render("Sound \xc4\xd6\xdc \xdf gro\xdf");
    std::set<int> levels(line.values.begin(), line.values.end());
    EXPECT_EQ(levels, (std::set<int>{0, 255}));
}

TEST(FontRendering, AntialiasedTextHasEdgesInBetween) {
    TextCoverage line = sans(-11, true)->render("Sound");
    std::set<int> levels(line.values.begin(), line.values.end());
    EXPECT_GT(levels.size(), 2u);
    EXPECT_TRUE(levels.count(0));
}

TEST(FontRendering, TheStripIsOneCellHighAndHoldsTheWholeAdvance) {
    std::unique_ptr<FontFace> face = sans(-11);
    TextCoverage line = face->render("Sound");
    EXPECT_EQ(line.height, face->height());
    EXPECT_GE(line.width - line.originX, face->measure("Sound"));
    // Nothing is drawn below the descent or above the ascent of the cell: the ink sits in it.
    EXPECT_GT(inkOf(line, 0, face->ascent()), 0);
}

TEST(FontRendering, Windows1252BytesAreDecodedBeforeDrawing) {
    std::unique_ptr<FontFace> face = sans(-24);
    // "ö" is an "o" with two dots above its x-height: more ink, and some of it higher.
    TextCoverage plain = face->render("o");
    TextCoverage umlaut = face->render("\xf6");
    int xHeightTop = 0;
    while (xHeightTop < plain.height && inkOf(plain, xHeightTop, xHeightTop + 1) == 0)
        ++xHeightTop;
    EXPECT_EQ(inkOf(plain, 0, xHeightTop), 0);
    EXPECT_GT(inkOf(umlaut, 0, xHeightTop), 0);
    EXPECT_EQ(face->measure("\xf6"), face->measure("o"));
}

TEST(FontMeasure, WidthIsPositiveAndGrowsWithTheText) {
    std::unique_ptr<FontFace> face = sans(-11);
    EXPECT_EQ(face->measure(""), 0);
    int sound = face->measure("Sound");
    EXPECT_GT(sound, 0);
    EXPECT_GT(face->measure("Sound Sound"), 2 * sound);
    EXPECT_LT(face->measure("iiii"), face->measure("WWWW"));
    EXPECT_GT(sans(-11, false, true)->measure("Sound"), sound);
}
