#include "photo_frame.h"

#include "caption.h"
#include "pixel_scene.h"
#include "image_plane.h"

#include <TBitmap.h>
#include <TDirectDraw.h>

#include "../command_line.h"
#include "../demo_state.h"
#include "../random.h"
#include "../scene_clock.h"
#include "../shared_textures.h"

#include <cmath>
#include <cstring>

TBitmap* photoImage;
TBitmap* photoCaption;
int photoX;
int photoY;
int photoLabel;
int photoLastSync;

namespace {

// The photo image's layout: 128 pixels a row; the frame with its picture area in rows 0 to
// 103, four label strips of 24 rows below.
const int photoWidth = 128;
const int photoRows = 200;
const int frameRows = 104;
const int labelRows = 24;
const int pictureWidth = 124;
const int pictureRows = 100;
// The largest squared distance inside the picture area: 123² + 100².
const int largestSquare = 123 * 123 + 100 * 100;

short wobbleA[1024];
short wobbleB[1024];
// At most 158: one byte each keeps the table in the cache.
unsigned char squareRoots[largestSquare + 1];
unsigned short missingTexturePixels[texturePixels];
unsigned short missingPhotoPixels[photoWidth * photoRows];
SceneClock photoClock;

// Each channel x 240 / 256, the pixel read as 5-6-5 whatever the graphics mode.
void DarkenLifeTexture() {
    if (!lifeTexture || !lifeTexture->rgbData)
        return;
    unsigned long long count =
        static_cast<unsigned long long>(lifeTexture->width) * lifeTexture->height;
    if (count > texturePixels)
        count = texturePixels;
    for (unsigned long long n = 0; n < count; ++n) {
        unsigned short p = lifeTexture->rgbData[n];
        int blue = (p & 31) * 240 / 256;
        int green = ((p >> 5) & 63) * 240 / 256;
        int red = ((p >> 11) & 31) * 240 / 256;
        lifeTexture->rgbData[n] = static_cast<unsigned short>(blue + (green << 5) + (red << 11));
    }
}

unsigned short* RowAt(unsigned short* pixels, int pitch, int row) {
    return pixels + static_cast<long>(row) * pitch;
}

// The texture repeated every 256 columns, shifted right by s and down by r.
void DrawBackground(unsigned short* pixels, int pitch) {
    const unsigned short* texture =
        ImagePlane(lifeTexture, textureSide, textureSide, missingTexturePixels);
    int s = static_cast<int>(NextRandom() % 8);
    int r = static_cast<int>(NextRandom() % 8);
    unsigned short line[640];
    for (int i = 0; i < 352; ++i) {
        const unsigned short* source = texture + (r + i) % 256 * 256;
        std::memcpy(line, source + 256 - s, s * sizeof *line);
        std::memcpy(line + s, source, 256 * sizeof *line);
        std::memcpy(line + s + 256, source, 256 * sizeof *line);
        std::memcpy(line + s + 512, source, (128 - s) * sizeof *line);
        std::memcpy(RowAt(pixels, pitch, 64 + i), line, sizeof line);
    }
}

void DrawPhoto(const unsigned short* photo, unsigned short* pixels, int pitch) {
    for (int row = 0; row < frameRows; ++row)
        std::memcpy(RowAt(pixels, pitch, photoY + row) + photoX, photo + row * photoWidth,
                    photoWidth * sizeof *photo);
    const unsigned short* label = photo + (photoLabel * labelRows + frameRows) * photoWidth;
    for (int row = 0; row < labelRows; ++row)
        std::memcpy(RowAt(pixels, pitch, photoY + frameRows + row) + photoX,
                    label + row * photoWidth, photoWidth * sizeof *photo);
}

// A new random place for the photo's top-left corner.
void ThrowPhoto() {
    photoX = static_cast<int>(NextRandom() % 512);
    photoY = static_cast<int>(NextRandom() % 224 + 64);
}

void Noise(int, unsigned short* line) {
    for (int j = 0; j < pictureWidth; ++j)
        line[j] = static_cast<unsigned short>(NextRandom() % 65536);
}

void Black(int, unsigned short* line) { std::memset(line, 0, pictureWidth * sizeof *line); }

// The picture seen through two travelling cosine waves.
struct Wobble {
    const unsigned short* photo;
    unsigned int d;
    int A;
    int C;
    // The column wave does not change from row to row.
    int columnWave[pictureWidth];

    Wobble(const unsigned short* photo, int time) : photo(photo) {
        // 64-bit: the product t x 1024 outgrows 32 bits after 35 minutes of scene time.
        unsigned long long T =
            static_cast<unsigned long long>(static_cast<unsigned int>(time)) * 1024;
        unsigned int b = T / 1000 % 1024;
        d = T / 700 % 1024;
        A = wobbleA[T / 2000 % 1024];
        C = wobbleB[T / 1400 % 1024];
        for (int j = 0; j < pictureWidth; ++j)
            columnWave[j] = wobbleA[(j * 1024 / 124 + b) % 1024];
    }

    void operator()(int i, unsigned short* line) const {
        int m = wobbleB[(i * 1024 / 100 + d) % 1024];
        for (int j = 0; j < pictureWidth; ++j) {
            unsigned int v = (columnWave[j] + 2 * i + A) / 4u;
            unsigned int u = (2 * j + C + m) / 4u;
            line[j] = photo[(v + 2) * photoWidth + u + 2];
        }
    }
};

// The picture sampled by the distances to two wandering centres.
struct TwoCentres {
    const unsigned short* photo;
    int cy1, cy2;
    // Each column's squared horizontal distance to the two centres.
    int columnSquares1[pictureWidth];
    int columnSquares2[pictureWidth];

    TwoCentres(const unsigned short* photo, int time) : photo(photo) {
        double t = time;
        int cx1 = static_cast<int>(std::cos(t * 0.005) * 60 + 60);
        cy1 = static_cast<int>(std::cos(t * 0.0033333333333333335) * 50 + 50);
        int cx2 = static_cast<int>(std::cos(t * 0.002) * 60 + 60);
        cy2 = static_cast<int>(std::cos(t * 0.0014285714285714286) * 50 + 50);
        for (int j = 0; j < pictureWidth; ++j) {
            columnSquares1[j] = (j - cx1) * (j - cx1);
            columnSquares2[j] = (j - cx2) * (j - cx2);
        }
    }

    void operator()(int i, unsigned short* line) const {
        int rowSquare1 = (i - cy1) * (i - cy1), rowSquare2 = (i - cy2) * (i - cy2);
        for (int j = 0; j < pictureWidth; ++j) {
            int d1 = squareRoots[columnSquares1[j] + rowSquare1];
            int d2 = squareRoots[columnSquares2[j] + rowSquare2];
            line[j] = photo[(d1 / 2 + 2) * photoWidth + d2 / 2 + 2];
        }
    }
};

template <typename Effect>
void DrawPicture(const Effect& effect, unsigned short* pixels, int pitch) {
    unsigned short line[pictureWidth];
    for (int i = 0; i < pictureRows; ++i) {
        effect(i, line);
        std::memcpy(RowAt(pixels, pitch, photoY + 2 + i) + photoX + 2, line, sizeof line);
    }
}

} // namespace

void BuildPhotoTables() {
    for (int i = 0; i < 1024; ++i) {
        double wave = std::cos(i * 0.001953125 * 3.141592653589793);
        wobbleA[i] = static_cast<short>(wave * 49 + 49);
        wobbleB[i] = static_cast<short>(wave * 61 + 61);
    }
    for (int n = 0; n <= largestSquare; ++n)
        squareRoots[n] = static_cast<unsigned char>(std::sqrt(static_cast<double>(n)));
}

void InitPhotoFrame() {
    photoImage = new TBitmap(directDraw, "Media\\Polaroid.tga", 0);
    ResetSceneClock(photoClock);
    SeedRandom(RandomSeed());
    ThrowPhoto();
    photoLabel = 0;
    photoLastSync = 255;
    BuildPhotoTables();
    photoCaption = NewCaption(80, "remember?");
}

void FreePhotoFrame() {
    delete photoImage;
    delete photoCaption;
    photoImage = nullptr;
    photoCaption = nullptr;
}

void PhotoFrameFrame() {
    UpdateSceneClock(photoClock);
    if (syncByte != photoLastSync) {
        ThrowPhoto();
        photoLabel = (photoLabel + 1) % 4;
        photoLastSync = syncByte;
    }
    if (syncByte == 6) {
        photoCaption->Paint(directDraw->lpBack, (640 - photoCaption->width) / 2,
                            (480 - photoCaption->height) / 2, 0xFFFF, -1);
        directDraw->Flip();
        return;
    }
    RenderIntoBackBuffer(DrawPhotoFrame, photoClock.sceneTime);
    directDraw->Flip();
}

void DrawPhotoFrame(int time, unsigned short* pixels, int pitch) {
    if (syncByte == 4) {
        DarkenLifeTexture();
        syncByte = 5;
    }
    DrawBackground(pixels, pitch);
    if (syncByte >= 4)
        return;
    const unsigned short* photo = ImagePlane(photoImage, photoWidth, photoRows, missingPhotoPixels);
    DrawPhoto(photo, pixels, pitch);
    switch (syncByte) {
    case 0:
        DrawPicture(Noise, pixels, pitch);
        break;
    case 1:
        DrawPicture(Wobble(photo, time), pixels, pitch);
        break;
    case 2:
        DrawPicture(Black, pixels, pitch);
        break;
    case 3:
        DrawPicture(TwoCentres(photo, time), pixels, pitch);
        break;
    }
}
