// The height map: the exact size the bump scene reads, smooth shapes that catch the light.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 352;

std::vector<unsigned char> heights() {
    std::ifstream in(std::string(MEDIA_DIR) + "/bumpmap.raw", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

TEST(BumpMap, IsExactly640By352Bytes) { EXPECT_EQ(heights().size(), 225280u); }

TEST(BumpMap, ShapesAreSmoothWithoutSinglePixelNoise) {
    std::vector<unsigned char> h = heights();
    ASSERT_EQ(h.size(), static_cast<size_t>(kWidth) * kHeight);
    int spikes = 0, interior = 0;
    for (int y = 1; y + 1 < kHeight; ++y) {
        for (int x = 1; x + 1 < kWidth; ++x) {
            size_t k = static_cast<size_t>(y) * kWidth + x;
            int neighbours = h[k - 1] + h[k + 1] + h[k - kWidth] + h[k + kWidth];
            spikes += std::abs(4 * h[k] - neighbours) > 4 * 12;
            ++interior;
        }
    }
    EXPECT_LT(spikes, interior / 200) << "pixels standing out from all four neighbours";
}

TEST(BumpMap, HasReliefThatBendsTheLight) {
    std::vector<unsigned char> h = heights();
    ASSERT_EQ(h.size(), static_cast<size_t>(kWidth) * kHeight);
    auto [low, high] = std::minmax_element(h.begin(), h.end());
    EXPECT_GE(*high - *low, 120);
    // The scene shifts its light look-up by h[k+1] - h[k-1]: bevels must give clear slopes.
    int steep = 0, flat = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 1; x + 1 < kWidth; ++x) {
            size_t k = static_cast<size_t>(y) * kWidth + x;
            int slope = std::abs(h[k + 1] - h[k - 1]);
            steep += slope >= 16;
            flat += slope <= 2;
        }
    }
    EXPECT_GT(steep, kWidth * kHeight / 50);
    EXPECT_GT(flat, kWidth * kHeight / 10);
}
