#pragma once

#include "image.h"

#include <cstdint>

namespace mediagen {

// The demo's motif: a waterfall falling from dark cliffs into a lake under a glowing sky.
// Elle.tga shows it at night, the photo in the frame at dusk.
struct LandscapeStyle {
    Rgb skyTop;
    Rgb skyHorizon;
    Rgb farMountains;
    Rgb nearMountains;
    Rgb water;
    float aurora = 0;    // strength of the northern lights
    float stars = 0;     // density of stars
    float lightX = 0.5f; // moon or sun, in picture fractions
    float lightY = 0.2f;
    float lightRadius = 0.05f;
    Rgb lightColor;
    float fallX = 0.5f;     // centre of the waterfall
    float fallWidth = 1.0f; // 1: a slender fall; small pictures want a broader one
    uint32_t seed = 1;
};

// Paints the whole image with the landscape.
void paintLandscape(Image& image, const LandscapeStyle& style);

} // namespace mediagen
