// The picture is halved once at set-up, so that two of its pixels add without a carry from
// one channel into the next and doubling one restores it.
#include "picture_scenes.h"

#include "demo_state.h"
#include "pi.h"
#include "image_plane.h"
#include "pixel_scene.h"
#include "random.h"
#include "scene_clock.h"

#include <TBitmap.h>
#include <TDirectDraw.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const int pictureWidth = 640;
const int pictureRows = 352;
const int tileStripRows = 1024;
// The wave strip and its overlay: 332 × 78 pixels of the picture each.
const int stripWidth = 332;
const int stripRows = 78;

TBitmap* elleImage;
TBitmap* tileStrip;
// The halved picture's 640 × 352 pixels: elleImage's own plane, or a copy of whatever part
// of it loaded, black elsewhere, when the file gave another size.
unsigned short* picture;
unsigned short pictureCopy[pictureWidth * pictureRows];
int cos10[512];
int cos16[512];
unsigned short distTable[9760];
unsigned short ringPalette[512];
unsigned short rowBuffer[640];
const unsigned short blackTileStrip[16 * tileStripRows] = {};
int overlayColumns[stripWidth];
int overlayRowStarts[stripRows];
SceneClock ringFieldClock;
SceneClock waveStripClock;

void FillCosine(int* table, double amplitude) {
    for (int i = 0; i < 256; i++) {
        table[i] = static_cast<int>(amplitude * std::cos(2 * pi * i / 256));
        table[i + 256] = table[i];
    }
}

void HalvePicture() {
    unsigned short mask = directDraw->dwGraphicsMode == 1 ? 0x7BDE : 0xF7DE;
    for (int i = 0; i < pictureWidth * pictureRows; i++)
        picture[i] = static_cast<unsigned short>((picture[i] & mask) >> 1);
}

// 64 tiles of 16 × 16 pixels, each a random one of the four side by side at (16, 180).
// Without memory for it the strip stays empty and the ring field shows black tiles.
void BuildTileStrip() {
    tileStrip->rgbData =
        static_cast<unsigned short*>(std::malloc(16 * tileStripRows * sizeof(unsigned short)));
    if (!tileStrip->rgbData)
        return;
    tileStrip->width = 16;
    tileStrip->height = tileStripRows;
    long tile = 0;
    for (int j = 0; j < tileStripRows; j++) {
        if (j % 16 == 0)
            tile = NextRandom() % 4;
        const unsigned short* source = picture + (180 + j % 16) * pictureWidth + 16 + 16 * tile;
        std::memcpy(tileStrip->rgbData + j * 16, source, 16 * sizeof(unsigned short));
    }
}

// The overlay maps the whole second strip into a box zoom pixels wide (mirrored while zoom
// is negative) centred on the first strip; zoom is never 0. Per strip column and row: the
// picture's column and the start of the picture's row that the overlay shows there, or -1.
void PlaceOverlay(int zoom) {
    int half = (stripWidth - zoom) / 2;
    for (int u = 0; u < stripWidth; u++) {
        int column = (u - half) * stripWidth / zoom;
        overlayColumns[u] = column >= 0 && column < stripWidth ? column + 16 : -1;
    }
    for (int v = 0; v < stripRows; v++) {
        int row = ((v * stripWidth / stripRows) - half) * stripRows / zoom;
        overlayRowStarts[v] = row >= 0 && row < stripRows ? (row + 274) * pictureWidth : -1;
    }
}

} // namespace

void InitPictureScenes() {
    elleImage = new TBitmap(directDraw, "Media\\Elle.tga", 0);
    tileStrip = new TBitmap(directDraw);
    FillCosine(cos10, 10);
    FillCosine(cos16, 16);
    for (int j = 0; j < 9760; j++)
        distTable[j] = static_cast<unsigned short>(static_cast<int>(std::sqrt(16.0 * j)) % 256);
    picture = ImagePlane(elleImage, pictureWidth, pictureRows, pictureCopy);
    HalvePicture();
    for (int k = 0; k < 256; k++) {
        ringPalette[k] = picture[k * pictureWidth + 8];
        ringPalette[k + 256] = ringPalette[k];
    }
    BuildTileStrip();
    ResetSceneClock(ringFieldClock);
    ResetSceneClock(waveStripClock);
}

void FreePictureScenes() {
    delete elleImage;
    delete tileStrip;
    elleImage = nullptr;
    tileStrip = nullptr;
    picture = nullptr;
}

void RingFieldFrame() {
    UpdateSceneClock(ringFieldClock);
    RenderIntoBackBuffer(DrawRingField, ringFieldClock.sceneTime);
    directDraw->Flip();
}

// Whenever the strip starts or resumes, both pages are cleared: nothing of the previous
// scene stays around its window.
void WaveStripFrame() {
    if (!HoldSceneClock(waveStripClock) && !AdvanceSceneClock(waveStripClock))
        ClearBothPages();
    RenderIntoBackBuffer(DrawWaveStrip, waveStripClock.sceneTime);
    directDraw->Flip();
}

// Time-derived phases are unsigned: their remainders are exact and never overflow.
void DrawRingField(int time, unsigned short* pixels, int pitch) {
    static const unsigned int columnSpeeds[12] = {7, 11, 5, 13, 9, 17, 8, 6, 12, 14, 20, 16};
    unsigned int t = static_cast<unsigned int>(time);
    unsigned int shade = 255 - (t / 11) % 256;
    unsigned int t3 = t / 3, t5 = t / 5;
    unsigned int columnOffsets[12];
    for (unsigned int i = 0; i < 12; i++)
        columnOffsets[i] = t / columnSpeeds[i] + 127 * i + cos16[t3 % 256] + 20;
    int wobble[640];
    for (unsigned int x = 0; x < 640; x++)
        wobble[x] = cos16[(t3 + x) % 256];
    const unsigned short* rings = ringPalette + shade;
    const unsigned short* tiles = tileStrip->rgbData ? tileStrip->rgbData : blackTileStrip;

    for (int y = 64; y <= 415; y++) {
        int cx = cos16[(t5 + y) % 256] + 320;
        unsigned int tileRows[12];
        for (int i = 0; i < 12; i++)
            tileRows[i] = ((columnOffsets[i] + y) % tileStripRows) * 16;
        const unsigned short* pictureRow = picture + (y - 64) * pictureWidth;
        for (int x = 0; x < 640; x++) {
            int dy = wobble[x] + 240 - y;
            int dx = cx - x;
            unsigned short ring = rings[distTable[(dx * dx + dy * dy) / 16]];
            if (x < 192)
                ring = static_cast<unsigned short>(tiles[tileRows[x / 16] + x % 16] + ring);
            else if (x >= 448)
                ring = static_cast<unsigned short>(pictureRow[x] + ring);
            rowBuffer[x] = ring;
        }
        std::memcpy(pixels + y * pitch, rowBuffer, sizeof rowBuffer);
    }
}

void DrawWaveStrip(int time, unsigned short* pixels, int pitch) {
    unsigned int t = static_cast<unsigned int>(time);
    unsigned int a5 = (t / 5) % 256, t7 = t / 7, t9 = t / 9, a11 = (t / 11) % 256;
    bool overlay = t >= 1920 && t < 4992;
    if (overlay)
        PlaceOverlay(cos16[(t / 3) % 256] * 8 + 116);

    for (int y = 181; y <= 297; y++) {
        std::memset(rowBuffer + 134, 0, 372 * sizeof(unsigned short));
        int sx = cos10[(t7 + y) % 256] - 154;
        int sy = cos10[(t9 + y) % 256];
        for (int x = 134; x <= 505; x++) {
            int u = cos10[a5 + x % 256] + x + sx;
            if (u < 0 || u >= stripWidth)
                continue;
            int v = cos10[a11 + x % 256] + sy + y - 201;
            if (v < 0 || v >= stripRows)
                continue;
            unsigned short pixel = picture[(v + 196) * pictureWidth + u + 16];
            if (overlay && overlayColumns[u] >= 0 && overlayRowStarts[v] >= 0) {
                unsigned short over = picture[overlayRowStarts[v] + overlayColumns[u]];
                if (over)
                    pixel = static_cast<unsigned short>(over * 2);
            }
            rowBuffer[x] = pixel;
        }
        std::memcpy(pixels + y * pitch + 134, rowBuffer + 134, 372 * sizeof(unsigned short));
    }
}
