#include "noise.h"
#include "pictures.h"

#include <cmath>
#include <vector>

namespace mediagen {

namespace {

constexpr int kSize = 256;
constexpr int kSteps = 5000;
constexpr float kDiffuseU = 0.16f;
constexpr float kDiffuseV = 0.08f;

// Gray-Scott reaction-diffusion on a torus. Feed and kill drift across the texture, so spots,
// worms and mazes grow side by side; the wrap-around neighbours make the result seamless.
std::vector<float> growPattern() {
    const size_t n = static_cast<size_t>(kSize) * kSize;
    std::vector<float> u(n, 1.0f), v(n, 0.0f), nu(n), nv(n), feed(n), kill(n);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float mood = tileFbm(x / 64.0f, y / 64.0f, 4, 2, 314);
            feed[y * kSize + x] = 0.030f + 0.022f * mood;
            kill[y * kSize + x] = 0.061f + 0.003f * mood;
        }
    }
    Random random(4242);
    for (int seed = 0; seed < 60; ++seed) {
        int cx = random.below(kSize), cy = random.below(kSize), r = 2 + random.below(4);
        for (int y = -r; y <= r; ++y) {
            for (int x = -r; x <= r; ++x) {
                size_t i = static_cast<size_t>((cy + y + kSize) % kSize) * kSize +
                           (cx + x + kSize) % kSize;
                u[i] = 0.5f;
                v[i] = 0.25f + 0.1f * random.uniform();
            }
        }
    }
    for (int step = 0; step < kSteps; ++step) {
        for (int y = 0; y < kSize; ++y) {
            const int up = ((y + kSize - 1) % kSize) * kSize, row = y * kSize,
                      down = ((y + 1) % kSize) * kSize;
            for (int x = 0; x < kSize; ++x) {
                const int left = (x + kSize - 1) % kSize, right = (x + 1) % kSize;
                const size_t i = row + x;
                float lapU = u[up + x] + u[down + x] + u[row + left] + u[row + right] - 4 * u[i];
                float lapV = v[up + x] + v[down + x] + v[row + left] + v[row + right] - 4 * v[i];
                float uvv = u[i] * v[i] * v[i];
                nu[i] = u[i] + kDiffuseU * lapU - uvv + feed[i] * (1 - u[i]);
                nv[i] = v[i] + kDiffuseV * lapV + uvv - (feed[i] + kill[i]) * v[i];
            }
        }
        u.swap(nu);
        v.swap(nv);
    }
    return v;
}

constexpr int kStops = 6;
const Rgb kSeaStops[kStops] = {hex(0x060A24), hex(0x0F3F6E), hex(0x13A08F),
                               hex(0xB6E24A), hex(0xFFD36A), hex(0xFFF8E8)};
const Rgb kEmberStops[kStops] = {hex(0x12061E), hex(0x4A0C4E), hex(0xB0205A),
                                 hex(0xFF6A2A), hex(0xFFC850), hex(0xFFF4E0)};

Rgb gradientMap(const Rgb (&stops)[kStops], float t) {
    float scaled = clamp01(t) * (kStops - 1);
    int i = static_cast<int>(scaled);
    if (i >= kStops - 1)
        return stops[kStops - 1];
    return mix(stops[i], stops[i + 1], scaled - i);
}

} // namespace

Image makeLifeTexture() {
    std::vector<float> v = growPattern();
    float highest = 0;
    for (float value : v)
        highest = std::max(highest, value);
    Image image(kSize, kSize, false);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            auto at = [&](int ax, int ay) {
                return v[static_cast<size_t>((ay + kSize) % kSize) * kSize + (ax + kSize) % kSize] /
                       highest;
            };
            float h = at(x, y);
            // Relief lit from the upper left makes the pattern look like living tissue.
            float slopeX = at(x + 1, y) - at(x - 1, y), slopeY = at(x, y + 1) - at(x, y - 1);
            float light = clamp01(0.8f - 2.2f * (slopeX + slopeY));
            float shine = std::pow(clamp01(-1.6f * (slopeX + slopeY)), 3.0f);
            // Two colour moods drift across the texture, as seamless as the pattern.
            float ember = smoothstep(0.4f, 0.6f, tileFbm(x / 64.0f, y / 64.0f, 4, 2, 77));
            Rgb tint = mix(gradientMap(kSeaStops, std::pow(h, 0.8f)),
                           gradientMap(kEmberStops, std::pow(h, 0.8f)), ember);
            Rgb c = tint * (0.45f + 0.75f * light) + Rgb{1, 1, 1} * (shine * 0.5f);
            image.at(x, y) = c;
        }
    }
    return image;
}

} // namespace mediagen
