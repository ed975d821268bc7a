#include "landscape_painter.h"

#include "noise.h"

#include <cmath>

namespace mediagen {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kLakeLine = 0.80f;

struct Scene {
    const LandscapeStyle& style;
    float width, height;
};

float ridge(float u, float base, float amplitude, float roughness, uint32_t seed) {
    return base - amplitude * (tileFbm(u * roughness, 0.5f, 64, 5, seed) - 0.5f) * 2.0f;
}

// Top of the near cliffs; a notch lets the waterfall through.
float cliffTop(const Scene& s, float u) {
    float d = std::fabs(u - s.style.fallX);
    float jag =
        ridge(u, 0.32f + 0.30f * smoothstep(0.04f, 0.45f, d), 0.07f, 6.0f, s.style.seed + 7);
    return jag + 0.06f * (1.0f - smoothstep(0.03f, 0.12f, d));
}

float fallHalfWidth(const LandscapeStyle& style, float v) {
    return (0.030f + 0.025f * v) * style.fallWidth;
}

Rgb skyColor(const Scene& s, float u, float v) {
    const LandscapeStyle& st = s.style;
    Rgb sky = mix(st.skyTop, st.skyHorizon, std::pow(clamp01(v / kLakeLine), 1.6f));
    // Northern lights: curtains along a wavy line, streaked vertically.
    if (st.aurora > 0) {
        float line = 0.22f + 0.07f * std::sin(u * 2 * kPi * 1.3f + 0.7f) +
                     0.03f * std::sin(u * 2 * kPi * 3.1f);
        float below = v - line;
        float curtain = std::exp(-below * below / 0.004f) +
                        0.6f * std::exp(-(below + 0.1f) * (below + 0.1f) / 0.01f) *
                            smoothstep(-0.3f, 0.0f, -below);
        float streak = 0.55f + 0.45f * tileNoise(u * 90.0f, 0.5f, 4096, st.seed + 3);
        float glow = st.aurora * curtain * streak;
        Rgb green = hex(0x3CFFA8), violet = hex(0xB44CFF);
        sky = sky + mix(green, violet, smoothstep(0.0f, 0.12f, -below)) * glow;
    }
    // Moon or sun with a soft halo.
    float aspect = s.width / s.height;
    float dx = (u - st.lightX) * aspect, dy = v - st.lightY;
    float r = std::sqrt(dx * dx + dy * dy);
    float disc = 1.0f - smoothstep(st.lightRadius * 0.92f, st.lightRadius, r);
    float halo = std::exp(-r / (st.lightRadius * 2.5f)) * 0.6f;
    sky = mix(sky, st.lightColor, clamp01(disc)) + st.lightColor * (halo * (1 - disc));
    return sky;
}

Rgb stars(const Scene& s, float px, float py) {
    if (s.style.stars <= 0)
        return {};
    constexpr float cell = 7.0f;
    int cx = static_cast<int>(px / cell), cy = static_cast<int>(py / cell);
    uint32_t h = hash32(static_cast<uint32_t>(cx) * 9187u ^
                        hash32(static_cast<uint32_t>(cy) + s.style.seed));
    if ((h & 1023) > s.style.stars * 1024)
        return {};
    float sx = (cx + ((h >> 10) & 255) / 256.0f) * cell,
          sy = (cy + ((h >> 18) & 255) / 256.0f) * cell;
    float d2 = (px - sx) * (px - sx) + (py - sy) * (py - sy);
    float bright = 0.4f + ((h >> 26) & 63) / 63.0f * 0.6f;
    float twinkle = std::exp(-d2 / 0.35f) * bright;
    Rgb tint = mix(hex(0xBFD8FF), hex(0xFFE8C0), ((h >> 5) & 31) / 31.0f);
    return tint * twinkle;
}

Rgb mountains(const Scene& s, float u, float v, Rgb behind) {
    const LandscapeStyle& st = s.style;
    float far = ridge(u, 0.45f, 0.18f, 4.0f, st.seed + 11);
    if (v > far) {
        float depth = clamp01((v - far) / 0.3f);
        float snow = (1 - smoothstep(0.0f, 0.035f, v - far)) * 0.5f *
                     tileFbm(u * 40, v * 40, 4096, 3, st.seed + 5);
        Rgb rock = mix(st.farMountains, st.farMountains * 0.55f, depth);
        behind = mix(rock, hex(0xE8F0FF), snow);
        behind = mix(behind, st.skyHorizon, 0.25f * (1 - depth)); // haze
    }
    float near = cliffTop(s, u);
    float fallEdge = std::fabs(u - st.fallX) - fallHalfWidth(st, v);
    if (v > near && fallEdge > 0) {
        float texture = tileFbm(u * 24, v * 24, 4096, 4, st.seed + 17);
        float rim = 1 - smoothstep(0.0f, 0.012f, v - near);
        float lit = 1 - smoothstep(0.0f, 0.03f, fallEdge); // rock beside the falling water glows
        Rgb rock = st.nearMountains * (0.6f + 0.8f * texture);
        rock = rock + st.lightColor * (rim * 0.35f) + hex(0x7FE8FF) * (lit * 0.35f);
        behind = rock;
    }
    return behind;
}

Rgb waterfall(const Scene& s, float u, float v, Rgb behind) {
    const LandscapeStyle& st = s.style;
    float top = cliffTop(s, st.fallX) - 0.01f;
    if (v < top || v > kLakeLine)
        return behind;
    float across = (u - st.fallX) / fallHalfWidth(st, v);
    if (std::fabs(across) > 1.0f)
        return behind;
    float edge = 1 - smoothstep(0.7f, 1.0f, std::fabs(across));
    float streaks = tileNoise(across * 9.0f + 40.0f, v * 3.0f, 4096, st.seed + 23);
    float foam = tileFbm(across * 6 + 20.0f, v * 30.0f, 4096, 3, st.seed + 29);
    float brightness = 0.45f + 0.55f * streaks * streaks + 0.3f * foam;
    Rgb water = mix(hex(0x2A8CD8), hex(0xEAFBFF), clamp01(brightness));
    float fadeIn = smoothstep(top, top + 0.03f, v);
    return mix(behind, water, edge * fadeIn);
}

// Little four-pointed glints around the falling water: the glimmer of the title.
Rgb glints(const Scene& s, float px, float py) {
    const LandscapeStyle& st = s.style;
    constexpr float cell = 11.0f;
    Rgb sum;
    int cx = static_cast<int>(px / cell), cy = static_cast<int>(py / cell);
    for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
            int gx = cx + ox, gy = cy + oy;
            uint32_t h = hash32(static_cast<uint32_t>(gx) * 7919u ^
                                hash32(static_cast<uint32_t>(gy) * 31u + st.seed + 99));
            float sx = (gx + ((h >> 4) & 255) / 256.0f) * cell,
                  sy = (gy + ((h >> 12) & 255) / 256.0f) * cell;
            float u = sx / s.width, v = sy / s.height;
            float near = std::fabs(u - st.fallX) / (fallHalfWidth(st, v) * 2.2f);
            if (near > 1 || v < cliffTop(s, st.fallX) || v > kLakeLine + 0.06f || (h & 3) != 0)
                continue;
            float dx = std::fabs(px - sx), dy = std::fabs(py - sy);
            float size = 2.0f + ((h >> 20) & 7) * 0.8f;
            float arms = std::exp(-dx * 2.5f) * std::exp(-dy / size) +
                         std::exp(-dy * 2.5f) * std::exp(-dx / size);
            float core = std::exp(-(dx * dx + dy * dy) / 1.2f);
            sum = sum + hex(0xE0FFFF) * ((arms * 0.7f + core) * (1 - near));
        }
    }
    return sum;
}

Rgb above(const Scene& s, float u, float v, float px, float py) {
    Rgb c = skyColor(s, u, v) + stars(s, px, py);
    c = mountains(s, u, v, c);
    c = waterfall(s, u, v, c);
    return c;
}

} // namespace

void paintLandscape(Image& image, const LandscapeStyle& style) {
    Scene s{style, static_cast<float>(image.width), static_cast<float>(image.height)};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float u = px / s.width, v = py / s.height;
            Rgb c;
            if (v < kLakeLine) {
                c = above(s, u, v, px, py);
            } else {
                // The lake mirrors the scene, broken up by ripples and darkened with depth.
                float ripple =
                    (tileNoise(u * 30.0f, v * 220.0f, 4096, style.seed + 41) - 0.5f) * 0.03f;
                float mv = 2 * kLakeLine - v;
                Rgb mirrored = above(s, u + ripple, mv, px + ripple * s.width, mv * s.height);
                float depth = clamp01((v - kLakeLine) / (1 - kLakeLine));
                c = mix(mirrored * 0.75f, style.water, 0.3f + 0.5f * depth);
                float mist = std::exp(-std::fabs(u - style.fallX) / 0.08f) *
                             (1 - smoothstep(0.0f, 0.12f, v - kLakeLine));
                c = c + hex(0xBFEFFF) * (mist * 0.55f);
            }
            c = c + glints(s, px, py);
            image.at(x, y) = c;
        }
    }
}

} // namespace mediagen
