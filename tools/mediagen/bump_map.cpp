#include "pictures.h"
#include "stroke_font.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mediagen {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 352;

// The bump scene's light circles around this point of the map (the mean of its path, with
// about 120 pixels of spread across and 80 down): the lettering sits here.
constexpr float kPathX = 288;
constexpr float kPathY = 208;

// Raised shape with rounded shoulders: full height inside, falling off over 2 x bevel pixels.
float plateau(float distanceOutside, float bevel) {
    return smoothstep(bevel, -bevel, distanceOutside);
}

// Signed distance to a rectangle with rounded corners (negative inside).
float roundedBox(float x, float y, float left, float top, float right, float bottom, float corner) {
    float cx = (left + right) / 2, cy = (top + bottom) / 2;
    float qx = std::fabs(x - cx) - ((right - left) / 2 - corner);
    float qy = std::fabs(y - cy) - ((bottom - top) / 2 - corner);
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - corner;
}

struct Panel {
    float left, top, right, bottom;
};

// Plates in a grid around the nameplate; the seams between them are grooves.
std::vector<Panel> panels() {
    std::vector<Panel> all;
    const float columns[] = {10, 134, 258, 382, 506, 630};
    const float rows[] = {10, 120, 232, 342};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            all.push_back({columns[c] + 3, rows[r] + 3, columns[c + 1] - 3, rows[r + 1] - 3});
    return all;
}

constexpr Panel kNameplate = {kPathX - 236, kPathY - 66, kPathX + 236, kPathY + 70};

// Engraved rings turned around the light's centre, like engine-turned metal: wherever the
// light passes, the rings under it show their slopes. Rounded crests and troughs, so no pixel
// stands out of its neighbours.
float turnedRings(float x, float y) {
    float r = std::hypot(x - kPathX, y - kPathY);
    float phase = r / 10.0f;
    float f = phase - std::floor(phase);
    float saw = f < 0.75f ? f / 0.75f : (1 - f) / 0.25f;
    return saw * saw * (3 - 2 * saw);
}

constexpr float kRivetRadius = 6.5f;
constexpr float kRivetHeight = 70;

float rivet(float x, float y, float cx, float cy) {
    float d = std::hypot(x - cx, y - cy);
    return d < kRivetRadius ? kRivetHeight * smoothstep(kRivetRadius, 1.0f, d) : 0.0f;
}

float rivets(float x, float y, const std::vector<Panel>& plates) {
    float best = 0;
    const float inset = 11;
    for (const Panel& p : plates)
        for (float cx : {p.left + inset, p.right - inset})
            for (float cy : {p.top + inset, p.bottom - inset})
                if (std::fabs(x - cx) < kRivetRadius && std::fabs(y - cy) < kRivetRadius)
                    best = std::max(best, rivet(x, y, cx, cy));
    return best;
}

std::vector<float> textHeights(const char* text, float centreX, float top, float unitX, float unitY,
                               float radius, float height) {
    TextStyle style;
    style.unitX = unitX;
    style.unitY = unitY;
    style.spacing = 1.5f;
    float left = centreX - textWidth(text, style) / 2;
    std::vector<float> field =
        distanceField(kWidth, kHeight, layoutText(text, left, top, style), radius + 8);
    std::vector<float> heights(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        float d = field[i];
        float dome = clamp01(1 - d / radius);
        heights[i] = height * plateau(d - radius, 3.0f) + 30 * dome * dome;
    }
    return heights;
}

} // namespace

std::vector<uint8_t> makeBumpMap() {
    std::vector<float> title =
        textHeights("GLIMMERFALL", kPathX, kPathY - 50, 8.2f, 12.5f, 7.0f, 95);
    std::vector<float> credit =
        textHeights("KORVANI 2026", kPathX, kPathY + 35, 4.0f, 4.6f, 3.2f, 60);
    const std::vector<Panel> plates = panels();
    const std::vector<Panel> plateCorners = {kNameplate};
    std::vector<uint8_t> map(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            size_t i = static_cast<size_t>(y) * kWidth + x;
            float px = x + 0.5f, py = y + 0.5f;
            // Grooved plates in a frame, with seams between them.
            float h = 20;
            for (const Panel& p : plates) {
                float inside =
                    plateau(roundedBox(px, py, p.left, p.top, p.right, p.bottom, 6), 2.5f);
                h = std::max(h, 20 + inside * (40 + 80 * turnedRings(px, py)));
            }
            h = std::max(h, 20 + rivets(px, py, plates) * 2.2f);
            // The nameplate: a smooth raised field for the lettering.
            float plate = plateau(roundedBox(px, py, kNameplate.left, kNameplate.top,
                                             kNameplate.right, kNameplate.bottom, 18),
                                  4.0f);
            float lettering = std::max({title[i], credit[i], rivets(px, py, plateCorners)});
            h = h * (1 - plate) + (120 + lettering) * plate;
            map[i] = static_cast<uint8_t>(std::lround(std::clamp(h, 0.0f, 255.0f)));
        }
    }
    return map;
}

} // namespace mediagen
