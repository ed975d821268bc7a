#include "image.h"

#include <cmath>

namespace mediagen {

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float smoothstep(float edge0, float edge1, float v) {
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

Rgb mix(Rgb a, Rgb b, float t) { return a + (b - a) * t; }

Rgb hsv(float hue, float saturation, float value) {
    float h = (hue - std::floor(hue)) * 6.0f;
    int sector = static_cast<int>(h) % 6;
    float f = h - std::floor(h);
    float p = value * (1 - saturation);
    float q = value * (1 - saturation * f);
    float t = value * (1 - saturation * (1 - f));
    switch (sector) {
    case 0:
        return {value, t, p};
    case 1:
        return {q, value, p};
    case 2:
        return {p, value, t};
    case 3:
        return {p, q, value};
    case 4:
        return {t, p, value};
    default:
        return {value, p, q};
    }
}

Rgb hex(unsigned rgb) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f};
}

Image::Image(int w, int h, bool withAlpha)
    : width(w), height(h), hasAlpha(withAlpha), color(static_cast<size_t>(w) * h),
      alpha(withAlpha ? static_cast<size_t>(w) * h : 0, 1.0f) {}

void Image::blend(int x, int y, Rgb c, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0)
        return;
    Rgb& dst = at(x, y);
    dst = mix(dst, c, clamp01(coverage));
}

} // namespace mediagen
