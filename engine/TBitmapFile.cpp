// Images read from uncompressed true-colour TGA files.
#include "TBitmap.h"

#include "FileBytes.h"
#include "TDirectDraw.h"
#include "TLumaBase.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct TgaHeader {
    uint8_t idLength;
    uint8_t colourMapType;
    uint8_t imageType;
    uint16_t width;
    uint16_t height;
    uint8_t depth;
    uint8_t descriptor;

    explicit TgaHeader(const uint8_t (&bytes)[18])
        : idLength(bytes[0]), colourMapType(bytes[1]), imageType(bytes[2]),
          width(uint16_t(bytes[12] | bytes[13] << 8)), height(uint16_t(bytes[14] | bytes[15] << 8)),
          depth(bytes[16]), descriptor(bytes[17]) {}

    int alphaBits() const { return descriptor & 0x0F; }
    bool topRowFirst() const { return (descriptor & 0x20) != 0; }
};

enum Channels { colourAndAlpha = 0, alphaOnly = 1, colourOnly = 2 };

// A header may claim up to 65535 x 65535 pixels from an 18-byte file. Pictures beyond this
// size (far larger than any the programs use, and than a 32-bit process could hold) are
// refused as running out of memory, so that a damaged file cannot take gigabytes.
const size_t largestPixelCount = size_t(64) << 20;

// The low bits are dropped, never rounded.
inline unsigned short pack555(const uint8_t* bgr) {
    return static_cast<unsigned short>((bgr[2] & 0xF8) << 7 | (bgr[1] & 0xF8) << 2 | bgr[0] >> 3);
}

inline unsigned short pack565(const uint8_t* bgr) {
    return static_cast<unsigned short>((bgr[2] & 0xF8) << 8 | (bgr[1] & 0xFC) << 3 | bgr[0] >> 3);
}

void packRow(unsigned short* dest, const uint8_t* pixels, unsigned int count, int bytesPerPixel,
             DWORD graphicsMode) {
    if (graphicsMode == 1)
        for (unsigned int i = 0; i < count; ++i, pixels += bytesPerPixel)
            dest[i] = pack555(pixels);
    else
        for (unsigned int i = 0; i < count; ++i, pixels += bytesPerPixel)
            dest[i] = pack565(pixels);
}

void copyAlphaRow(unsigned char* dest, const uint8_t* pixels, unsigned int count) {
    for (unsigned int i = 0; i < count; ++i)
        dest[i] = pixels[i * 4 + 3];
}

// Reads one stored row; false once the file has run out (the rest of the row is then 0).
bool readRow(HANDLE file, uint8_t* row, DWORD bytes) {
    DWORD bytesRead = 0;
    if (!ReadFile(file, row, bytes, &bytesRead, nullptr) || bytesRead > bytes)
        bytesRead = 0;
    for (DWORD i = bytesRead; i < bytes; ++i)
        row[i] = 0;
    return bytesRead == bytes;
}

// Steps 9 on of the reading: the planes are allocated, the ID field skipped and the rows
// converted. Zeroed planes stay 0 where a short file has no pixels for them.
void readPixels(TBitmap& image, HANDLE file, const TgaHeader& header, bool keepColour,
                bool keepAlpha) {
    TLumaBase* base = image.base;
    image.width = header.width;
    image.height = header.height;
    size_t pixels = size_t(header.width) * header.height;
    // A picture of no pixels is an empty image: no planes to attach.
    if (pixels == 0) {
        image.width = image.height = 0;
        return;
    }
    bool tooLarge = pixels > largestPixelCount;
    if (keepColour) {
        image.rgbData = tooLarge ? nullptr : static_cast<unsigned short*>(std::calloc(pixels, 2));
        if (!image.rgbData) {
            base->DebugOut("TBitmap::TBitmap(char*) - Not enough memory for RGB data!\n");
            image.width = image.height = 0;
            return;
        }
    }
    if (keepAlpha) {
        image.alphaData = tooLarge ? nullptr : static_cast<unsigned char*>(std::calloc(pixels, 1));
        if (!image.alphaData) {
            base->DebugOut("TBitmap::TBitmap(char*) - Not enough memory for alpha channel!\n");
            std::free(image.rgbData);
            image.rgbData = nullptr;
            image.width = image.height = 0;
            return;
        }
    }
    uint8_t idField[255];
    readOrZero(file, idField, header.idLength);

    int bytesPerPixel = header.depth / 8;
    DWORD rowBytes = DWORD(header.width) * bytesPerPixel;
    uint8_t* row = static_cast<uint8_t*>(std::malloc(rowBytes ? rowBytes : 1));
    if (!row) {
        base->DebugOut("TBitmap::TBitmap(char*) - Not enough memory for import!\n");
        std::free(image.rgbData);
        std::free(image.alphaData);
        image.rgbData = nullptr;
        image.alphaData = nullptr;
        image.width = image.height = 0;
        return;
    }
    DWORD graphicsMode = image.directDraw->dwGraphicsMode;
    bool more = true;
    for (unsigned int stored = 0; stored < image.height && more; ++stored) {
        more = readRow(file, row, rowBytes);
        size_t y = header.topRowFirst() ? stored : image.height - 1 - stored;
        if (image.rgbData)
            packRow(image.rgbData + y * image.width, row, image.width, bytesPerPixel, graphicsMode);
        if (image.alphaData)
            copyAlphaRow(image.alphaData + y * image.width, row, image.width);
    }
    std::free(row);
}

} // namespace

TBitmap::TBitmap(TDirectDraw* display, const char* fileName, unsigned long channels)
    : TBitmap(display) {
    if (channels != alphaOnly && channels != colourOnly)
        channels = colourAndAlpha;
    HANDLE file = CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        base->DebugOut("TBitmap::TBitmap(char*) - Could not open file \"%s\"!\n", fileName);
        return;
    }
    uint8_t headerBytes[18];
    readOrZero(file, headerBytes, sizeof headerBytes);
    TgaHeader header(headerBytes);

    bool hasAlpha = header.alphaBits() != 0;
    if (header.colourMapType == 1) {
        base->DebugOut("TBitmap::TBitmap(char*) - Wrong file type: Picture has a color table!");
    } else if (header.imageType != 2) {
        base->DebugOut("TBitmap::TBitmap(char*) - Wrong file type: Picture has compression "
                       "and/or isn't stored in TrueColor format!\n");
    } else if (header.depth != 24 && header.depth != 32) {
        base->DebugOut("TBitmap::TBitmap(char*) - Wrong file type: Picture has %d and not "
                       "24/32 bits color depth!\n",
                       header.depth);
    } else {
        if (hasAlpha && header.alphaBits() != 8) {
            base->DebugOut("TBitmap::TBitmap(char*) - Picture has unknown alpha channel! "
                           "Ignoring alpha channel!\n");
            hasAlpha = false;
        }
        if (hasAlpha && header.depth == 24)
            base->DebugOut("TBitmap::TBitmap(char*) - Wrong file type: Picture must have depth "
                           "of 32 with or 24 without alpha channel!\n");
        else
            readPixels(*this, file, header, channels != alphaOnly,
                       hasAlpha && channels != colourOnly);
    }
    CloseHandle(file);
}
