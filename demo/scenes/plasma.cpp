// Four cosine waves and a little noise through a 512-colour palette that strobes once a
// second, in four variants that change every second.
#include "plasma.h"

#include "demo_state.h"
#include "pi.h"
#include "pixel_scene.h"
#include "random.h"
#include "scene_clock.h"

#include <TDirectDraw.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

int cos255[512];
unsigned short plasmaPalette[512];
int noise[1024];
int rowWave[512];
unsigned short rowBuffer[640];
SceneClock plasmaClock;

// One channel of the palette: the wave's strength, pulled toward the base level by w.
int BlendChannel(int wave, int w, int baseLevel, int levelDivisor) {
    return (std::abs(wave) * (256 - w) + (w * baseLevel) / levelDivisor) / 256;
}

int Wave(unsigned int k, double periodDivisor, double amplitude) {
    return static_cast<int>(std::cos(k * pi / periodDivisor) * amplitude);
}

void BuildPalette(unsigned int t, unsigned long long tripleTime, int w, int baseLevel,
                  DWORD graphicsMode) {
    unsigned int step2 = static_cast<unsigned int>(tripleTime / 7);
    unsigned int step3 = static_cast<unsigned int>(tripleTime / 5);
    for (unsigned int i = 0; i < 512; i++) {
        unsigned int k1 = (t + i) % 512, k2 = (step2 + i) % 512, k3 = (step3 + i) % 512;
        if (graphicsMode == 1) {
            int blue = BlendChannel(Wave(k1, 512, 31), w, baseLevel, 8);
            int green = BlendChannel(Wave(k2, 512, 31), w, baseLevel, 8);
            int red = BlendChannel(Wave(k3, 512, 31), w, baseLevel, 8);
            plasmaPalette[i] = static_cast<unsigned short>(blue + green * 32 + red * 1024);
        } else {
            int blue = BlendChannel(Wave(k1, 256, 31), w, baseLevel, 8);
            int green = BlendChannel(Wave(k2, 256, 63), w, baseLevel, 4);
            int red = BlendChannel(Wave(k3, 256, 31), w, baseLevel, 8);
            plasmaPalette[i] = static_cast<unsigned short>(blue + green * 32 + red * 2048);
        }
    }
}

// The noise's strength changes every 500 ms and vanishes where cos(n) is -1 to the truncation.
void BuildNoise(unsigned long long tripleTime) {
    double n = static_cast<double>(tripleTime / 1500);
    int strength = static_cast<int>(std::cos(n) * 48 + 48);
    for (int i = 0; i < 1024; i++)
        noise[i] = strength ? static_cast<int>(NextRandom() % strength) : 0;
}

} // namespace

void InitPlasma() {
    for (int i = 0; i < 512; i++)
        cos255[i] = static_cast<int>(255 * std::cos(pi * i / 256));
    ResetSceneClock(plasmaClock);
}

void FreePlasma() {}

void PlasmaFrame() {
    UpdateSceneClock(plasmaClock);
    RenderIntoBackBuffer(DrawPlasma, plasmaClock.sceneTime);
    directDraw->Flip();
}

// Every phase is kept in unsigned arithmetic: the remainders modulo 512 are those of the
// non-negative values they stand for, and no scene time can overflow them.
void DrawPlasma(int time, unsigned short* pixels, int pitch) {
    unsigned int t = static_cast<unsigned int>(time);
    unsigned int m = t % 1000;
    int w = m < 500 ? 256 - static_cast<int>(m / 2) : static_cast<int>((m - 500) / 2);
    int baseLevel = m < 500 ? 255 : 0;
    unsigned int variant = (t / 1000) % 4;
    unsigned long long tripleTime = 3ull * t;

    BuildNoise(tripleTime);
    BuildPalette(t, tripleTime, w, baseLevel, directDraw->dwGraphicsMode);

    unsigned int p2 = static_cast<unsigned int>(tripleTime / 5) + 512;
    unsigned int p3 =
        static_cast<unsigned int>(tripleTime / 29) + cos255[(tripleTime / 23) % 512] + 512;
    unsigned int p4 = static_cast<unsigned int>(tripleTime / 7) + 512;
    unsigned int p5 = static_cast<unsigned int>(tripleTime / 11) + 512;
    unsigned int q =
        static_cast<unsigned int>(tripleTime / 23) + cos255[(tripleTime / 29 + 90) % 512] + 512;
    bool halfRowWave = variant == 1 || variant == 3;
    for (unsigned int x = 0; x < 512; x++) {
        int wave = cos255[(q + x) % 512];
        rowWave[x] = halfRowWave ? wave / 2 : wave;
    }

    for (int y = 64; y <= 415; y++) {
        unsigned int s = cos255[(variant == 1 ? p3 : p3 + y) % 512] + p4;
        unsigned int columnPhase = p5 + y;
        const int* rowNoise = noise + noise[y];
        unsigned short* out = rowBuffer;
        int step = 1;
        if (variant == 2) {
            out = rowBuffer + 511;
            step = -1;
        }
        for (unsigned int x = 0; x < 512; x++) {
            unsigned int v =
                rowNoise[x] + p2 + cos255[(s + x) % 512] + cos255[(rowWave[x] + columnPhase) % 512];
            *out = plasmaPalette[v % 512];
            out += step;
        }
        std::memcpy(rowBuffer + 512, rowBuffer, 128 * sizeof(unsigned short));
        int row = variant >= 2 ? 479 - y : y;
        std::memcpy(pixels + row * pitch, rowBuffer, sizeof rowBuffer);
    }
}
