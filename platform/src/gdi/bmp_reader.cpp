#include "gdi/bmp_reader.h"

#include <array>

namespace luma {

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t infoHeaderSize = 40;
// 64 million pixels: far beyond any picture the programs use, and small enough that
// a hostile header cannot make us allocate gigabytes.
constexpr uint64_t largestPixelCount = 64u << 20;
constexpr int32_t largestSide = 32768;

uint16_t read16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
uint32_t read32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// A 32-bit file may describe its layout with masks; only the usual 8-8-8 one is read.
bool standardMasks(const std::vector<uint8_t>& file, uint32_t headerSize) {
    size_t masksAt = fileHeaderSize + infoHeaderSize;
    // Masks follow a 40-byte header, or sit inside a larger one at the same place.
    if (headerSize < infoHeaderSize || file.size() < masksAt + 12)
        return false;
    return read32(&file[masksAt]) == 0x00FF0000 && read32(&file[masksAt + 4]) == 0x0000FF00 &&
           read32(&file[masksAt + 8]) == 0x000000FF;
}

} // namespace

std::unique_ptr<Bitmap> readBmp(const std::vector<uint8_t>& file) {
    if (file.size() < fileHeaderSize + infoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return nullptr;
    const uint8_t* info = &file[fileHeaderSize];
    uint32_t pixelsAt = read32(&file[10]);
    uint32_t headerSize = read32(info);
    int32_t width = static_cast<int32_t>(read32(info + 4));
    int32_t height = static_cast<int32_t>(read32(info + 8));
    uint16_t bitCount = read16(info + 14);
    uint32_t compression = read32(info + 16);
    uint32_t coloursUsed = read32(info + 32);

    if (headerSize < infoHeaderSize || headerSize > file.size() - fileHeaderSize)
        return nullptr;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return nullptr;
    bool masked = compression == BI_BITFIELDS && bitCount == 32;
    if (compression != BI_RGB && !(masked && standardMasks(file, headerSize)))
        return nullptr;
    bool topDown = height < 0;
    if (width <= 0 || height == 0 || height == INT32_MIN || width > largestSide)
        return nullptr;
    int32_t rows = topDown ? -height : height;
    if (rows > largestSide ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(rows) > largestPixelCount)
        return nullptr;

    uint64_t stride = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    if (pixelsAt > file.size() || stride * static_cast<uint64_t>(rows) > file.size() - pixelsAt)
        return nullptr;

    // The palette: entries beyond those the file holds stay black.
    std::array<COLORREF, 256> palette{};
    if (bitCount <= 8) {
        size_t paletteAt = fileHeaderSize + headerSize;
        size_t entries = coloursUsed ? coloursUsed : size_t{1} << bitCount;
        if (entries > palette.size())
            entries = palette.size();
        for (size_t i = 0; i < entries && paletteAt + i * 4 + 4 <= pixelsAt; ++i) {
            const uint8_t* entry = &file[paletteAt + i * 4];
            palette[i] = RGB(entry[2], entry[1], entry[0]);
        }
    }

    auto bitmap = std::make_unique<Bitmap>(width, rows);
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* row = &file[pixelsAt + stride * static_cast<uint64_t>(y)];
        int32_t target = topDown ? y : rows - 1 - y;
        for (int32_t x = 0; x < width; ++x) {
            COLORREF colour;
            switch (bitCount) {
            case 1:
                colour = palette[(row[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                colour = palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F];
                break;
            case 8:
                colour = palette[row[x]];
                break;
            case 24:
                colour = RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
                break;
            default:
                colour = RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
                break;
            }
            bitmap->setPixel(x, target, colour);
        }
    }
    return bitmap;
}

} // namespace luma
