#include "bump_light.h"

#include "pixel_scene.h"

#include "../demo_state.h"
#include "../scene_clock.h"

#include <TDirectDraw.h>
#include <TLumaBase.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

int bumpLightX;
int bumpLightY;
unsigned short bumpPalette[256];

namespace {

const char* const heightMapFile = "media\\bumpmap.raw";
const int mapWidth = 640;
const int mapHeight = 352;
const int mapBytes = mapWidth * mapHeight;

// One guard row before and after the map: the slope at the top and bottom rows reads them.
unsigned char heightMapWithGuards[mapWidth + mapBytes + mapWidth];
unsigned char* const heightMap = heightMapWithGuards + mapWidth;
int lightTable[256 * 256];
// Starts at zero and is not reset by the set-up: the first frame only records the tick.
SceneClock bumpClock;

void BuildLightTable() {
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            double dx = (x - 128) * 0.0078125;
            double dy = (y - 128) * 0.0078125;
            double l = 1 - std::sqrt(dx * dx + dy * dy);
            if (l < 0)
                l = 0;
            double value = l * 191 + l * l * 128;
            lightTable[y * 256 + x] = static_cast<int>(value > 255 ? 255 : value);
        }
}

void LoadHeightMap() {
    std::memset(heightMapWithGuards, 0, sizeof heightMapWithGuards);
    HANDLE file = CreateFileA(heightMapFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        lumaBase->DebugOut("cannot open file %s!\n", heightMapFile);
        return;
    }
    DWORD got = 0;
    if (!ReadFile(file, heightMap, mapBytes, &got, nullptr) || got < DWORD(mapBytes)) {
        lumaBase->DebugOut("file %s is corrupted!\n", heightMapFile);
        CloseHandle(file);
        return;
    }
    std::memcpy(heightMap - mapWidth, heightMap, mapWidth);
    std::memcpy(heightMap + mapBytes, heightMap, mapWidth);
    CloseHandle(file);
}

// f = 0 gives the channel's maximum (white), f near 256 the target.
unsigned short Faded(int target, int maximum, int f) {
    return static_cast<unsigned short>((target * f + maximum * (256 - f)) / 256);
}

// Unsigned, so negative slopes also clamp to the table's last entry.
unsigned int Clamped(int value) { return std::min(static_cast<unsigned int>(value), 255u); }

} // namespace

void InitBumpLight() {
    BuildLightTable();
    LoadHeightMap();
}

void FreeBumpLight() {}

void BumpLightFrame() {
    UpdateSceneClock(bumpClock);
    FadeBumpPalette(bumpClock.sceneTime, directDraw->dwGraphicsMode);
    // The light follows the clock's reading of this frame, not the scene time.
    RenderIntoBackBuffer(DrawBumpLight, bumpClock.lastTick);
    directDraw->Flip();
}

void FadeBumpPalette(int time, unsigned long graphicsMode) {
    if (time < 0 || time / 4 >= 256)
        return;
    int f = time / 4;
    bool mode555 = graphicsMode == 1;
    int greenMaximum = mode555 ? 31 : 63;
    int redShift = mode555 ? 10 : 11;
    for (int i = 0; i < 256; ++i) {
        int red = 0, green = 0, blue;
        if (i < 192) {
            blue = ((i * 255 / 192) & 0xF8) >> 3;
        } else {
            int v = (i - 192) * 4;
            blue = 31;
            red = v >> 3;
            green = mode555 ? v >> 3 : v >> 2;
        }
        bumpPalette[i] =
            static_cast<unsigned short>(Faded(blue, 31, f) | Faded(green, greenMaximum, f) << 5 |
                                        Faded(red, 31, f) << redShift);
    }
}

void DrawBumpLight(int now, unsigned short* pixels, int pitch) {
    double clock = static_cast<unsigned int>(now);
    bumpLightX = static_cast<int>(std::cos(clock * 0.0019569471624266144) * 140 +
                                  std::sin(clock * 0.003215434083601286) * 100 + 320 - 32);
    bumpLightY = static_cast<int>(std::sin(clock * 0.0016366612111292963) * 60 +
                                  std::cos(clock * 0.0024330900243309003) * 100 + 240 - 32);
    unsigned short line[mapWidth];
    for (int r = 0; r < mapHeight; ++r) {
        const unsigned char* h = heightMap + r * mapWidth;
        int towardLightX = bumpLightX + 128;
        int towardLightY = bumpLightY + 128 - r;
        for (int c = 0; c < mapWidth; ++c) {
            unsigned int gx = Clamped(h[c + 1] - h[c - 1] + towardLightX - c);
            unsigned int gy = Clamped(h[c + mapWidth] - h[c - mapWidth] + towardLightY);
            line[c] = bumpPalette[lightTable[gy * 256 + gx]];
        }
        std::memcpy(pixels + static_cast<long>(64 + r) * pitch, line, sizeof line);
    }
}
