// The tunnel texture scrolls and is pushed along a slowly turning direction by about half
// each pixel's distance from a wandering centre, so rings ripple outward.
#include "ripple.h"

#include "demo_state.h"
#include "pi.h"
#include "pixel_scene.h"
#include "image_plane.h"
#include "scene_clock.h"
#include "shared_textures.h"

#include <TDirectDraw.h>

#include <cmath>
#include <cstring>

namespace {

int cos16[512];
int cos64[512];
unsigned short root[9760];
// The largest squared distance / 64 that a pixel reaches: 336 columns and 192 rows away.
const int largestRootIndex = (336 * 336 + 192 * 192) >> 6;
// Per frame, for each root index: the displacement of the texel along the current
// direction, in columns and in rows × 256.
struct Displacement {
    int columns;
    unsigned int rowsTimes256;
};
Displacement displacements[largestRootIndex + 1];
int wave[640];
unsigned short lineBuffer[640];
unsigned short missingTexture[texturePixels];
SceneClock rippleClock;

void FillCosine(int* table, double amplitude) {
    for (int i = 0; i < 256; i++) {
        table[i] = static_cast<int>(std::cos(i * 0.0078125 * pi) * amplitude);
        table[i + 256] = table[i];
    }
}

} // namespace

void InitRipple() {
    FillCosine(cos16, 16);
    FillCosine(cos64, 64);
    for (int j = 0; j < 9760; j++)
        root[j] = static_cast<unsigned short>(static_cast<int>(std::sqrt(16.0 * j)) % 256);
    ResetSceneClock(rippleClock);
}

void FreeRipple() {}

void RippleFrame() {
    UpdateSceneClock(rippleClock);
    RenderIntoBackBuffer(DrawRipple, rippleClock.sceneTime);
    directDraw->Flip();
}

// Texture coordinates are taken modulo 256 in unsigned arithmetic, which wraps them exactly
// as the low 8 bits of the signed values and cannot overflow at any scene time.
void DrawRipple(int time, unsigned short* pixels, int pitch) {
    const unsigned short* texture =
        ImagePlane(tunnelTexture, textureSide, textureSide, missingTexture);
    unsigned int t = static_cast<unsigned int>(time);
    unsigned int a = t / 3, b = t / 5, c = t / 7;
    for (unsigned int x = 0; x < 640; x++)
        wave[x] = cos16[(a + x) % 256];
    int kx = cos64[a % 256];
    int ky = cos64[(a + 64) % 256];
    for (int i = 0; i <= largestRootIndex; i++) {
        int d = root[i];
        displacements[i].columns = (d * kx) >> 6;
        displacements[i].rowsTimes256 = static_cast<unsigned int>((d * ky) >> 6) << 8;
    }
    for (int y = 64; y <= 415; y++) {
        int cx = cos16[(y + b) % 256] + 320;
        int ry = 240 - y;
        unsigned int rowU = b;
        unsigned int rowVTimes256 = (c + y) << 8;
        for (int x = 0; x < 640; x++) {
            int dx = cx - x;
            int dy = wave[x] + ry;
            const Displacement& shift = displacements[(dx * dx + dy * dy) >> 6];
            unsigned int u = (rowU + x + shift.columns) & 0xFF;
            unsigned int vTimes256 = (rowVTimes256 + shift.rowsTimes256) & 0xFF00;
            lineBuffer[x] = texture[vTimes256 | u];
        }
        std::memcpy(pixels + y * pitch, lineBuffer, sizeof lineBuffer);
    }
}
