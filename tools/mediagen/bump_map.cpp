#include "pictures.h"
#include "stroke_font.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace mediagen {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 352;

// Raised shape with rounded shoulders: full height inside, falling off over 2 x bevel pixels.
float plateau(float distanceOutside, float bevel) {
    return smoothstep(bevel, -bevel, distanceOutside);
}

float waves(float x, float y) {
    return 14 * std::sin(x * 0.045f + y * 0.020f) + 10 * std::sin(x * 0.013f - y * 0.052f + 1.3f) +
           6 * std::sin((x + y) * 0.09f);
}

float frame(float x, float y) {
    float edge = std::min(std::min(x, kWidth - 1 - x), std::min(y, kHeight - 1 - y));
    return 70 * smoothstep(6, 14, edge) * (1 - smoothstep(22, 30, edge));
}

constexpr float kRivetInset = 18;
constexpr float kRivetSpacing = 40;
constexpr float kRivetRadius = 7.5f;
constexpr float kRivetHeight = 60;

// Rivets along the frame: along the top and bottom edges, then down the sides.
std::vector<std::pair<float, float>> rivetCentres() {
    std::vector<std::pair<float, float>> centres;
    for (float x = kRivetInset; x < kWidth; x += kRivetSpacing) {
        centres.emplace_back(x, kRivetInset);
        centres.emplace_back(x, kHeight - 1 - kRivetInset);
    }
    for (float y = kRivetInset + kRivetSpacing; y < kHeight - kRivetInset - 20;
         y += kRivetSpacing) {
        centres.emplace_back(kRivetInset, y);
        centres.emplace_back(kWidth - 1 - kRivetInset, y);
    }
    return centres;
}

// Domes whose feet meet the plate without a step.
float rivets(float x, float y, const std::vector<std::pair<float, float>>& centres) {
    float best = 0;
    for (const auto& [cx, cy] : centres) {
        float d = std::hypot(x - cx, y - cy);
        if (d < kRivetRadius)
            best = std::max(best, kRivetHeight * smoothstep(kRivetRadius, 1.5f, d));
    }
    return best;
}

std::vector<float> textHeights(const char* text, float top, float unitX, float unitY, float radius,
                               float height) {
    TextStyle style;
    style.unitX = unitX;
    style.unitY = unitY;
    style.spacing = 1.5f;
    float left = (kWidth - textWidth(text, style)) / 2;
    std::vector<float> field =
        distanceField(kWidth, kHeight, layoutText(text, left, top, style), radius + 8);
    std::vector<float> heights(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        float d = field[i];
        float dome = clamp01(1 - d / radius);
        heights[i] = height * plateau(d - radius, 3.5f) + 25 * dome * dome;
    }
    return heights;
}

} // namespace

std::vector<uint8_t> makeBumpMap() {
    std::vector<float> title = textHeights("GLIMMERFALL", 90, 9.0f, 17.0f, 9.0f, 120);
    std::vector<float> credit = textHeights("KORVANI 2026", 250, 4.2f, 6.5f, 3.5f, 70);
    const std::vector<std::pair<float, float>> centres = rivetCentres();
    std::vector<uint8_t> map(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            size_t i = static_cast<size_t>(y) * kWidth + x;
            float h = 60 + waves(x, y) + frame(x, y);
            h = std::max(h, 60 + rivets(x, y, centres));
            h = std::max(h, 60 + title[i]);
            h = std::max(h, 60 + credit[i]);
            map[i] = static_cast<uint8_t>(std::lround(std::clamp(h, 0.0f, 255.0f)));
        }
    }
    return map;
}

} // namespace mediagen
