#pragma once

#include <vector>

namespace mediagen {

// Linear-ish colour in 0..1 per channel; values outside are clamped when written.
struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }

Rgb mix(Rgb a, Rgb b, float t);
Rgb hsv(float hue, float saturation, float value); // hue in turns, wraps
Rgb hex(unsigned rgb);                             // 0xRRGGBB

// A picture being drawn: colour per pixel, and an alpha plane when the file will carry one.
struct Image {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<Rgb> color;
    std::vector<float> alpha;

    Image(int w, int h, bool withAlpha);
    Rgb& at(int x, int y) { return color[y * width + x]; }
    const Rgb& at(int x, int y) const { return color[y * width + x]; }
    float& alphaAt(int x, int y) { return alpha[y * width + x]; }

    // Paints colour over the pixel with the given coverage (0..1).
    void blend(int x, int y, Rgb c, float coverage);
};

float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);

} // namespace mediagen
