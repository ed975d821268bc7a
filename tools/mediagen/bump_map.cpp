#include "pictures.h"
#include "stroke_font.h"

#include <algorithm>
#include <cmath>

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

float rivets(float x, float y) {
    float best = 0;
    const float inset = 18;
    for (float rx = inset; rx < kWidth; rx += 40) {
        for (float ry : {inset, kHeight - 1 - inset}) {
            float d = std::hypot(x - rx, y - ry);
            if (d < 7)
                best = std::max(best, 60 * std::sqrt(1 - (d / 7) * (d / 7)));
        }
    }
    for (float ry = inset + 40; ry < kHeight - inset - 20; ry += 40) {
        for (float rx : {inset, kWidth - 1 - inset}) {
            float d = std::hypot(x - rx, y - ry);
            if (d < 7)
                best = std::max(best, 60 * std::sqrt(1 - (d / 7) * (d / 7)));
        }
    }
    return best;
}

std::vector<float> textHeights(const char *text, float top, float unitX, float unitY, float radius,
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
    std::vector<uint8_t> map(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            size_t i = static_cast<size_t>(y) * kWidth + x;
            float h = 60 + waves(x, y) + frame(x, y);
            h = std::max(h, 60 + rivets(x, y));
            h = std::max(h, 60 + title[i]);
            h = std::max(h, 60 + credit[i]);
            map[i] = static_cast<uint8_t>(std::lround(std::clamp(h, 0.0f, 255.0f)));
        }
    }
    return map;
}

} // namespace mediagen
