#include "landscape_painter.h"
#include "noise.h"
#include "pictures.h"
#include "stroke_font.h"

#include <cmath>
#include <string>

namespace mediagen {

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 200;
constexpr int kPictureLeft = 2;
constexpr int kPictureTop = 2;
constexpr int kPictureWidth = 124;
constexpr int kPictureHeight = 100;
constexpr int kLabelTop = 104;
constexpr int kLabelHeight = 24;

// Scribbled on the photo's bottom edge; the scene shows one at a time.
const char* const kLabels[4] = {"at the falls", "night swim!", "us, again", "don't forget"};

Rgb paper(int x, int y) {
    float grain = tileNoise(x * 0.7f, y * 0.7f, 4096, 51) - 0.5f;
    return hex(0xF4F0E6) + Rgb{grain, grain, grain} * 0.06f;
}

Image photo() {
    Image picture(kPictureWidth, kPictureHeight, false);
    LandscapeStyle dusk;
    dusk.skyTop = hex(0x2A1E5C);
    dusk.skyHorizon = hex(0xFF9A5A);
    dusk.farMountains = hex(0x7A5A8A);
    dusk.nearMountains = hex(0x2E1E34);
    dusk.water = hex(0x3A2A5A);
    dusk.aurora = 0;
    dusk.stars = 0.05f;
    dusk.lightX = 0.3f;
    dusk.lightY = 0.45f;
    dusk.lightRadius = 0.09f;
    dusk.lightColor = hex(0xFFE2A0);
    dusk.fallX = 0.62f;
    dusk.seed = 96;
    paintLandscape(picture, dusk);
    // A little vignette and film grain.
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            float dx = (x + 0.5f) / kPictureWidth - 0.5f, dy = (y + 0.5f) / kPictureHeight - 0.5f;
            float vignette = 1 - 0.9f * (dx * dx + dy * dy);
            float grain = (tileNoise(x * 1.7f, y * 1.7f, 4096, 8) - 0.5f) * 0.08f;
            picture.at(x, y) = picture.at(x, y) * vignette + Rgb{grain, grain, grain};
        }
    }
    return picture;
}

void writeLabel(Image& image, const std::string& text, int top, uint32_t seed) {
    TextStyle hand;
    hand.unitX = 1.9f;
    hand.unitY = 2.4f;
    hand.spacing = 1.1f;
    hand.slant = 0.28f;
    hand.rounded = true;
    hand.jitter = 0.22f;
    hand.seed = seed;
    const float pen = 0.8f;
    float left = (kWidth - textWidth(text, hand)) / 2;
    std::vector<Segment> strokes = layoutText(text, left, 2.5f, hand);
    std::vector<float> field = distanceField(kWidth, kLabelHeight, strokes, 3.0f);
    const Rgb ink = hex(0x1C2C8C);
    for (int y = 0; y < kLabelHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.blend(x, top + y, ink,
                        clamp01(pen - field[static_cast<size_t>(y) * kWidth + x] + 0.5f) * 0.9f);
}

} // namespace

Image makePolaroid() {
    Image image(kWidth, kHeight, true);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.at(x, y) = paper(x, y);
    Image picture = photo();
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            image.at(kPictureLeft + x, kPictureTop + y) = picture.at(x, y);
    for (int i = 0; i < 4; ++i)
        writeLabel(image, kLabels[i], kLabelTop + i * kLabelHeight, 11 + i * 7);
    return image;
}

} // namespace mediagen
