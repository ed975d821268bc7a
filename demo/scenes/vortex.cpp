// The left half of the band looks the texture up in polar form; the right half is made of
// block copies: mirrored below the centre row, turned by 180° above it.
#include "vortex.h"

#include "demo_state.h"
#include "pi.h"
#include "pixel_scene.h"
#include "image_plane.h"
#include "scene_clock.h"
#include "shared_textures.h"

#include <TDirectDraw.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const int tableWidth = 320;
const int tableRows = 353;
// The squared distance from the centre to the band's corner: distance 256 there.
const double cornerDistanceSquared = 320.0 * 320 + 176.0 * 176;

// High byte: the angle from straight up, 512 steps to straight down; low byte: the distance.
unsigned short polarTable[tableWidth * tableRows];
unsigned short rowBuffer[640];
unsigned short missingTexture[texturePixels];
SceneClock vortexClock;

unsigned short PolarEntry(int x, int j) {
    double dx = 320 - x, dy = 176 - j;
    double distanceSquared = dx * dx + dy * dy;
    int angle = static_cast<int>(std::acos(dy / std::sqrt(0.01 + distanceSquared)) * 512 / pi);
    int distance =
        std::abs(static_cast<int>(std::sqrt(distanceSquared / cornerDistanceSquared) * 256)) % 256;
    return static_cast<unsigned short>((angle % 256) * 256 + distance);
}

// The drift toward the centre, its swing and the slide along the angle, as one 16-bit step.
unsigned short TextureOffset(unsigned int t) {
    double offset = std::cos(t * pi * 0.00125) * 80 + 256 + t * 0.125;
    return static_cast<unsigned short>(static_cast<long long>(offset));
}

} // namespace

void InitVortex() {
    for (int x = 0; x < tableWidth; x++)
        for (int j = 0; j < tableRows; j++)
            polarTable[j * tableWidth + x] = PolarEntry(x, j);
    ResetSceneClock(vortexClock);
}

void FreeVortex() {}

void VortexFrame() {
    UpdateSceneClock(vortexClock);
    RenderIntoBackBuffer(DrawVortex, vortexClock.sceneTime);
    directDraw->Flip();
}

void DrawVortex(int time, unsigned short* pixels, int pitch) {
    const unsigned short* texture =
        ImagePlane(lifeTexture, textureSide, textureSide, missingTexture);
    unsigned short offset = TextureOffset(static_cast<unsigned int>(time));
    for (int y = 64; y <= 416; y++) {
        const unsigned short* entries = polarTable + (y - 64) * tableWidth;
        for (int x = 0; x < 320; x++) {
            unsigned short colour = texture[static_cast<unsigned short>(entries[x] + offset)];
            rowBuffer[x] = colour;
            rowBuffer[639 - x] = colour;
        }
        if (y != 416)
            std::memcpy(pixels + y * pitch, rowBuffer, sizeof rowBuffer);
        if (y != 64)
            std::memcpy(pixels + (480 - y) * pitch + 320, rowBuffer + 320,
                        320 * sizeof(unsigned short));
    }
}
