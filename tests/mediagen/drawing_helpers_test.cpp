// The small tools the pictures are drawn with: wrapping noise, the stroke font, the TGA bytes.

#include "noise.h"
#include "stroke_font.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mediagen;

TEST(TileNoise, RepeatsExactlyAfterItsPeriodInBothDirections) {
    for (float x = 0.1f; x < 8; x += 0.73f) {
        for (float y = 0.2f; y < 8; y += 0.61f) {
            // Equal up to the rounding of x + 8 in single precision.
            EXPECT_NEAR(tileNoise(x, y, 8, 5), tileNoise(x + 8, y, 8, 5), 1e-5);
            EXPECT_NEAR(tileNoise(x, y, 8, 5), tileNoise(x, y + 8, 8, 5), 1e-5);
            EXPECT_NEAR(tileFbm(x, y, 4, 3, 9), tileFbm(x + 4, y - 4, 4, 3, 9), 1e-5);
        }
    }
}

TEST(TileNoise, StaysInRangeAndVariesWithTheSeed) {
    int differing = 0;
    for (float x = 0; x < 16; x += 0.37f) {
        float a = tileNoise(x, 1.5f, 16, 1), b = tileNoise(x, 1.5f, 16, 2);
        EXPECT_GE(a, 0.0f);
        EXPECT_LE(a, 1.0f);
        differing += a != b;
    }
    EXPECT_GT(differing, 30);
}

TEST(Random, SameSeedSameSequenceAndBoundsHold) {
    Random a(42), b(42), c(43);
    bool allSame = true;
    for (int i = 0; i < 100; ++i) {
        uint32_t va = a.next();
        EXPECT_EQ(va, b.next());
        allSame = allSame && va == c.next();
        int n = a.below(7);
        b.below(7);
        EXPECT_GE(n, 0);
        EXPECT_LT(n, 7);
        float u = a.uniform();
        b.uniform();
        EXPECT_GE(u, 0.0f);
        EXPECT_LT(u, 1.0f);
    }
    EXPECT_FALSE(allSame);
}

TEST(StrokeFont, WidthsFollowTheGlyphGridAndSpacing) {
    TextStyle style;
    style.unitX = 2;
    style.spacing = 1.5f;
    EXPECT_FLOAT_EQ(textWidth("I", style), 0.0f);
    EXPECT_FLOAT_EQ(textWidth("II", style), 3.0f); // one gap of 1.5 units
    EXPECT_FLOAT_EQ(textWidth("M", style), 10.0f); // the M is five units wide
    EXPECT_FLOAT_EQ(textWidth("A B", style), 2 * (4 + 1.5f + 2.5f + 1.5f + 4));
    EXPECT_FLOAT_EQ(textWidth("#", style), 5.0f) << "unknown signs take a space";
}

TEST(StrokeFont, SmallLettersHaveTheirOwnShapes) {
    TextStyle style;
    std::vector<Segment> upper = layoutText("A", 0, 0, style);
    std::vector<Segment> lower = layoutText("a", 0, 0, style);
    ASSERT_FALSE(lower.empty());
    float lowestTop = 6;
    for (const Segment& s : lower)
        lowestTop = std::min({lowestTop, s.y0, s.y1});
    EXPECT_FLOAT_EQ(lowestTop, 2.5f) << "an a stays below the x-height line";
    EXPECT_NE(upper.size(), lower.size());
}

TEST(StrokeFont, LayoutPlacesAndSlantsTheStrokes) {
    TextStyle style;
    style.unitX = 3;
    style.unitY = 2;
    std::vector<Segment> t = layoutText("T", 10, 20, style); // bar 0,0-4,0 and stem 2,0-2,6
    ASSERT_EQ(t.size(), 2u);
    EXPECT_FLOAT_EQ(t[0].x0, 10);
    EXPECT_FLOAT_EQ(t[0].y0, 20);
    EXPECT_FLOAT_EQ(t[0].x1, 22);
    EXPECT_FLOAT_EQ(t[1].y1, 32);
    style.slant = 0.5f;
    std::vector<Segment> slanted = layoutText("T", 10, 20, style);
    EXPECT_FLOAT_EQ(slanted[1].x1, 16) << "the stem's foot stays on the baseline";
    EXPECT_FLOAT_EQ(slanted[1].x0, 22) << "its top leans right by half its height";
}

TEST(StrokeFont, DistanceFieldMeasuresToTheNearestSegmentAndCapsAtReach) {
    std::vector<Segment> segments = {{2, 5, 8, 5}};
    std::vector<float> field = distanceField(12, 10, segments, 4);
    auto at = [&](int x, int y) { return field[y * 12 + x]; };
    EXPECT_FLOAT_EQ(at(5, 5), 0.5f); // pixel centre 5.5,5.5 is half a pixel below
    EXPECT_FLOAT_EQ(at(5, 8), 3.5f);
    EXPECT_FLOAT_EQ(at(9, 5), std::hypot(1.5f, 0.5f)); // beyond the end: to the end point
    EXPECT_FLOAT_EQ(at(0, 0), 4.0f);                   // out of reach
}
