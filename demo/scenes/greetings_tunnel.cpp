#include "greetings_tunnel.h"

#include "caption.h"
#include "pi.h"
#include "pixel_scene.h"
#include "image_plane.h"

#include <TBitmap.h>
#include <TDirectDraw.h>

#include "../demo_state.h"
#include "../random.h"
#include "../scene_clock.h"
#include "../shared_textures.h"

#include <cmath>
#include <cstring>

Greeting greetings[11] = {
    {0, 0, "Vellumox", nullptr}, {0, 0, "Quorrith", nullptr},  {0, 0, "Zyndrel", nullptr},
    {0, 0, "Orbakite", nullptr}, {0, 0, "Plimsoda", nullptr},  {0, 0, "Kestrune", nullptr},
    {0, 0, "Nuvolith", nullptr}, {0, 0, "Frinkwave", nullptr}, {0, 0, "Yarrowin", nullptr},
    {0, 0, "Bramblux", nullptr}, {0, 0, "Tessaloo", nullptr},
};

namespace {

const int tableWidth = 320;
const int tableRows = 353;

// Per pixel of the left half (and one extra row): the angle around the centre in the high
// byte, the depth, inversely proportional to the distance, in the low byte.
unsigned short tunnelTable[tableWidth * tableRows];
unsigned short missingTexturePixels[texturePixels];
SceneClock greetingsClock;

} // namespace

void BuildTunnelTable() {
    for (int x = 0; x < tableWidth; ++x)
        for (int j = 0; j < tableRows; ++j) {
            double dx = 320 - x;
            double dy = 176 - j;
            double q = std::sqrt(0.01 + dx * dx + dy * dy);
            int angle = static_cast<int>(std::acos(dy / q) * 256 / pi);
            int depth = static_cast<int>(16384 / q);
            tunnelTable[j * tableWidth + x] =
                static_cast<unsigned short>((angle % 256) * 256 + depth % 256);
        }
}

void InitGreetings() {
    BuildTunnelTable();
    for (Greeting& greeting : greetings) {
        greeting.image = NewCaption(64, greeting.text);
        // Centred, 2 pixels up and left of the exact centre.
        greeting.x = static_cast<int>(((640u - greeting.image->width) >> 1) - 2u);
        greeting.y = static_cast<int>(((480u - greeting.image->height) >> 1) - 2u);
    }
    ResetSceneClock(greetingsClock);
}

void FreeGreetings() {
    for (Greeting& greeting : greetings) {
        delete greeting.image;
        greeting.image = nullptr;
    }
}

void GreetingsFrame() {
    UpdateSceneClock(greetingsClock);
    RenderIntoBackBuffer(DrawGreetingsTunnel, greetingsClock.sceneTime);
    if (syncByte < 11) {
        long r1 = NextRandom() % 5;
        long r2 = NextRandom() % 5;
        const Greeting& greeting = greetings[syncByte];
        greeting.image->Paint(directDraw->lpBack, greeting.x + r2, greeting.y + r1, -1, -1);
    }
    directDraw->Flip();
}

void DrawGreetingsTunnel(int time, unsigned short* pixels, int pitch) {
    const unsigned short* texture =
        ImagePlane(tunnelTexture, textureSide, textureSide, missingTexturePixels);
    // Only the low 16 bits count: unsigned arithmetic keeps the growing offset defined.
    unsigned int offset =
        static_cast<unsigned int>(time % 256) + static_cast<unsigned int>(time / 16) * 256u;
    unsigned short line[640];
    for (int y = 64; y <= 416; ++y) {
        const unsigned short* entries = tunnelTable + (y - 64) * tableWidth;
        for (int x = 0; x < 320; ++x) {
            unsigned short c = texture[(entries[x] + offset) & 0xFFFF];
            line[x] = c;
            line[639 - x] = c;
        }
        if (y != 416)
            std::memcpy(pixels + static_cast<long>(y) * pitch, line, sizeof line);
        if (y != 64)
            std::memcpy(pixels + static_cast<long>(480 - y) * pitch + 320, line + 320,
                        320 * sizeof *line);
    }
}
