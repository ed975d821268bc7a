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

// Seen at 124 x 100 and through the scene's wobble: few, large shapes in strong contrast, a
// big low sun beside a broad bright fall between dark cliffs.
Image photo() {
    Image picture(kPictureWidth, kPictureHeight, false);
    LandscapeStyle dusk;
    dusk.skyTop = hex(0x3A4CB8);
    dusk.skyHorizon = hex(0xFFB066);
    dusk.farMountains = hex(0xA8709A);
    dusk.nearMountains = hex(0x1E1228);
    dusk.water = hex(0x4A5AA8);
    dusk.aurora = 0;
    dusk.stars = 0;
    dusk.lightX = 0.27f;
    dusk.lightY = 0.36f;
    dusk.lightRadius = 0.15f;
    dusk.lightColor = hex(0xFFF0B0);
    dusk.fallX = 0.64f;
    dusk.fallWidth = 1.8f;
    dusk.seed = 96;
    paintLandscape(picture, dusk);
    // A light vignette, as a print from an instant camera.
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            float dx = (x + 0.5f) / kPictureWidth - 0.5f, dy = (y + 0.5f) / kPictureHeight - 0.5f;
            picture.at(x, y) = picture.at(x, y) * (1 - 0.5f * (dx * dx + dy * dy));
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
