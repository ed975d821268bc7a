#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace mediagen {

namespace {
constexpr int kSize = 96; // the largest bob the scene's path keeps on the screen
// The scene takes the bob's one colour from the first pixel and its shape from the alpha:
// molten gold, for the caption "liquid gold".
const Rgb kBobColor = hex(0xFFC850);
} // namespace

// A solid core inside a wide glow that thins out to nothing at the edge of the square.
Image makeShadeBob() {
    Image image(kSize, kSize, true);
    const float centre = kSize / 2.0f, radius = kSize / 2.0f - 0.5f;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float r = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / radius;
            float window = r < 1 ? (1 - r * r) * (1 - r * r) : 0.0f;
            float core = 1 - smoothstep(0.16f, 0.34f, r);
            float glow = 0.42f + 0.58f * std::exp(-r * r / 0.09f);
            image.at(x, y) = kBobColor;
            image.alphaAt(x, y) = window * std::max(core, glow);
        }
    }
    return image;
}

} // namespace mediagen
