#include "landscape_painter.h"
#include "noise.h"
#include "pictures.h"
#include "stroke_font.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace mediagen {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kWidth = 640;
constexpr int kHeight = 352;

// The ring field reads its 256 ring colours from one column.
constexpr int kPaletteColumn = 8;
constexpr int kPaletteRows = 256;
constexpr int kPaletteBarHalfWidth = 4;

// Four 16 x 16 tiles side by side, stacked at random into the scrolling columns.
constexpr int kTileLeft = 16;
constexpr int kTileTop = 180;
constexpr int kTileSize = 16;

// The wave strip and its overlay.
constexpr int kStripLeft = 16;
constexpr int kStripWidth = 332;
constexpr int kStripHeight = 78;
constexpr int kTitleTop = 196;
constexpr int kOverlayTop = 274;

// Cyclic: the ring field adds a moving offset to the index, so entry 255 must meet entry 0.
// Four bright rings per turn of the hue wheel.
Rgb ringColor(int k) {
    float t = k / 256.0f;
    float wave = 0.5f + 0.5f * std::cos(2 * kPi * 4 * t);
    float value = 0.15f + 0.85f * std::pow(wave, 1.4f);
    float saturation = 0.95f - 0.45f * std::pow(wave, 6.0f);
    return hsv(t + 0.55f, saturation, value);
}

void drawPaletteBar(Image& image) {
    for (int y = 0; y < kPaletteRows; ++y)
        for (int x = kPaletteColumn - kPaletteBarHalfWidth;
             x <= kPaletteColumn + kPaletteBarHalfWidth; ++x)
            image.at(x, y) = ringColor(y);
}

// Tile looks, each a function of the pixel inside its 16 x 16 square. Every tile has the same
// dark seam on its top row so that tiles stack in any order.
Rgb rivetPlate(float x, float y) {
    float bevel = (x < 1.5f || y < 1.5f) ? 0.35f : ((x > 14.5f || y > 14.5f) ? -0.3f : 0.0f);
    Rgb c = mix(hex(0x6F86A8), hex(0x3A4C6E), y / 16.0f) + Rgb{bevel, bevel, bevel};
    float d = std::hypot(x - 8, y - 8);
    if (d < 3.5f) {
        float shine = clamp01(1.0f - std::hypot(x - 7, y - 7) / 3.0f);
        c = mix(hex(0x9AB0D0), hex(0xFFFFFF), shine);
    }
    return c;
}

Rgb gem(float x, float y) {
    float dx = std::fabs(x - 8), dy = std::fabs(y - 8);
    Rgb c = hex(0x241040);
    if (dx + dy < 7) {
        bool upperLeft = (x - 8) + (y - 8) < 0;
        bool upperRight = (x - 8) - (y - 8) > 0;
        Rgb facet = upperLeft ? hex(0xFF7AE0) : (upperRight ? hex(0xC02AB0) : hex(0x7A1890));
        c = mix(facet, hex(0xFFFFFF), clamp01(1 - std::hypot(x - 6, y - 6) / 2.5f));
    }
    return c;
}

Rgb circuit(float x, float y) {
    Rgb c = hex(0x0E3A2A);
    bool trace = (std::fabs(x - 4) < 1) || (std::fabs(y - 10) < 1 && x > 4 && x < 12) ||
                 (std::fabs(x - 12) < 1 && y > 10);
    if (trace)
        c = hex(0xE8C040);
    if (std::hypot(x - 12, y - 10) < 2.2f || std::hypot(x - 4, y - 10) < 2.2f)
        c = hex(0xFFF2A0);
    return c;
}

Rgb glassBrick(float x, float y) {
    float edge = std::min(std::min(x, 15 - x), std::min(y, 15 - y));
    float glow = clamp01(1 - std::hypot(x - 7.5f, y - 7.5f) / 9.0f);
    Rgb c = mix(hex(0x8A2A08), hex(0xFFC860), glow);
    if (edge < 1.5f)
        c = c * 0.55f;
    return c;
}

void drawTiles(Image& image) {
    Rgb (*const tiles[])(float, float) = {rivetPlate, gem, circuit, glassBrick};
    for (int t = 0; t < 4; ++t) {
        for (int y = 0; y < kTileSize; ++y) {
            for (int x = 0; x < kTileSize; ++x) {
                Rgb c = tiles[t](x + 0.5f, y + 0.5f);
                if (y == 0)
                    c = hex(0x101018);
                image.at(kTileLeft + t * kTileSize + x, kTileTop + y) = c;
            }
        }
    }
}

struct LetterLook {
    Rgb top, middle, bottom; // fill from cap line to baseline
    float radius;            // stroke half thickness in pixels
    bool glow;
};

// Letters shaded like glass tubes: brightest along the stroke's middle.
void drawTubeText(Image& image, const std::string& text, int left, int top, int width, int height,
                  const TextStyle& style, const LetterLook& look) {
    float textW = textWidth(text, style);
    float textLeft = left + (width - textW) / 2;
    float textTop = top + (height - 6 * style.unitY) / 2;
    std::vector<Segment> segments = layoutText(text, textLeft - left, textTop - top, style);
    float reach = look.radius + 12;
    std::vector<float> field = distanceField(width, height, segments, reach);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float d = field[static_cast<size_t>(y) * width + x];
            Rgb& px = image.at(left + x, top + y);
            if (look.glow && d < reach) // the field stops at reach: no glow beyond it
                px = px + look.middle * (0.5f * std::exp(-std::max(0.0f, d - look.radius) / 5.0f));
            float coverage = clamp01(look.radius - d + 0.5f);
            if (coverage <= 0)
                continue;
            float v = clamp01((y + 0.5f - (textTop - top)) / (6 * style.unitY));
            Rgb fill = v < 0.5f ? mix(look.top, look.middle, v * 2)
                                : mix(look.middle, look.bottom, v * 2 - 1);
            float across = clamp01(d / look.radius);
            float tube = std::sqrt(1 - across * across);
            Rgb shaded =
                fill * (0.35f + 0.75f * tube) + Rgb{1, 1, 1} * std::pow(tube, 12.0f) * 0.6f;
            float outline = smoothstep(look.radius - 1.6f, look.radius - 0.4f, d);
            shaded = mix(shaded, fill * 0.25f, outline);
            px = mix(px, shaded, coverage);
        }
    }
}

// The scene shows this strip at half brightness: white-hot letters on a night sky that is
// still clearly lit, the logo in the upper part; the lower part is a glowing horizon that the
// pulsing overlay strip fills with the group's name, so the name never covers the logo.
constexpr int kLogoHeight = 44;

void drawTitleStrip(Image& image) {
    for (int y = 0; y < kStripHeight; ++y) {
        for (int x = 0; x < kStripWidth; ++x) {
            float v = y / static_cast<float>(kStripHeight - 1);
            float u = x / static_cast<float>(kStripWidth - 1);
            Rgb c = mix(hex(0x2C2478), hex(0x5A3CA8), v);
            float horizon = smoothstep(0.48f, 0.9f, v);
            c = mix(c, mix(hex(0xF0508A), hex(0xFFB040), u), horizon);
            float sparkle = tileNoise(x * 0.9f, y * 0.9f, 4096, 77);
            c = c + hex(0xA0A0FF) * (std::pow(sparkle, 12.0f) * 0.7f * (1 - horizon));
            image.at(kStripLeft + x, kTitleTop + y) = c;
        }
    }
    TextStyle style;
    style.unitY = 5.6f;
    style.unitX = 4.8f;
    style.spacing = 2.4f;
    LetterLook look{hex(0xFFFFFF), hex(0xFFE680), hex(0xFFA040), 5.2f, true};
    drawTubeText(image, "GLIMMERFALL", kStripLeft, kTitleTop + 1, kStripWidth, kLogoHeight, style,
                 look);
}

// Laid over the title on black; black is the overlay's transparent colour, so the background
// stays exactly zero and only the letters carry colour. The name sits low in its strip: the
// overlay scales about the strip's middle, so low rows land on the horizon below the logo.
void drawOverlayStrip(Image& image) {
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x)
            image.at(kStripLeft + x, kOverlayTop + y) = Rgb{};
    TextStyle style;
    style.unitY = 2.6f;
    style.unitX = 8.6f;
    style.spacing = 1.6f;
    LetterLook look{hex(0xFFFFFF), hex(0xA0F4FF), hex(0x60B0FF), 3.2f, false};
    drawTubeText(image, "KORVANI", kStripLeft, kOverlayTop + 56, kStripWidth, 20, style, look);
}

} // namespace

Image makeEllePicture() {
    Image image(kWidth, kHeight, false);
    LandscapeStyle night;
    night.skyTop = hex(0x060418);
    night.skyHorizon = hex(0x5A2A6A);
    night.farMountains = hex(0x34407A);
    night.nearMountains = hex(0x1C1430);
    night.water = hex(0x0A1838);
    night.aurora = 0.9f;
    night.stars = 0.35f;
    night.lightX = 0.78f;
    night.lightY = 0.13f;
    night.lightRadius = 0.045f;
    night.lightColor = hex(0xFFF4D8);
    night.fallX = 0.845f;
    night.seed = 2026;
    paintLandscape(image, night);
    drawPaletteBar(image);
    drawTiles(image);
    drawTitleStrip(image);
    drawOverlayStrip(image);
    return image;
}

} // namespace mediagen
