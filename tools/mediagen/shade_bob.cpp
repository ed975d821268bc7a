#include "pictures.h"

#include <cmath>

namespace mediagen {

namespace {
constexpr int kSize = 32;
// The scene takes the bob's one colour from the first pixel and its shape from the alpha.
const Rgb kBobColor = hex(0xFFA040);
} // namespace

Image makeShadeBob() {
    Image image(kSize, kSize, true);
    const float centre = kSize / 2.0f, radius = kSize / 2.0f - 0.5f;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float r = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / radius;
            float falloff = r < 1 ? (1 - r * r) : 0.0f;
            image.at(x, y) = kBobColor;
            image.alphaAt(x, y) = falloff * falloff * (1.5f - 0.5f * falloff * falloff);
        }
    }
    return image;
}

} // namespace mediagen
