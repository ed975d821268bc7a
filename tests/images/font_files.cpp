#include "font_files.h"

#include <gtest/gtest.h>

#include <algorithm>

GreyPicture fontPicture(int width, int glyphRows, const std::vector<int>& markers) {
    GreyPicture picture{width, glyphRows + 1,
                        std::vector<uint8_t>(size_t(width) * (glyphRows + 1))};
    for (int y = 0; y < glyphRows; ++y)
        for (int x = 0; x < width; ++x)
            picture.at(x, y) = uint8_t((x * 5 + y * 7) % 32 * 8);
    for (int column : markers)
        picture.at(column, glyphRows) = 255;
    return picture;
}

void writeFontBmp(const std::string& path, const GreyPicture& picture) {
    writePgm(path + ".pgm", picture);
    runConvert(path + ".pgm -type Palette -colors 256 -compress None BMP3:" + path);
}

namespace {

const size_t paletteStart = 54;

uint32_t colourCount(const std::vector<uint8_t>& bmp) {
    uint32_t used = littleEndian32(bmp, 46);
    return used ? used : 256;
}

} // namespace

int paletteIndexOf(const std::vector<uint8_t>& bmp, uint8_t level) {
    for (uint32_t i = 0; i < colourCount(bmp); ++i) {
        size_t at = paletteStart + i * 4;
        if (bmp[at] == level && bmp[at + 1] == level && bmp[at + 2] == level)
            return int(i);
    }
    ADD_FAILURE() << "grey level " << int(level) << " is not in the palette";
    return -1;
}

std::vector<uint8_t> storedTopFirst(const std::vector<uint8_t>& bmp) {
    int32_t width = int32_t(littleEndian32(bmp, 18));
    int32_t height = int32_t(littleEndian32(bmp, 22));
    size_t stride = size_t(width + 3) / 4 * 4;
    size_t pixels = paletteStart + colourCount(bmp) * 4;
    std::vector<uint8_t> flipped(bmp);
    for (int32_t row = 0; row < height; ++row)
        std::copy_n(bmp.begin() + long(pixels + row * stride), stride,
                    flipped.begin() + long(pixels + (height - 1 - row) * stride));
    uint32_t negative = uint32_t(-height);
    for (int i = 0; i < 4; ++i)
        flipped[22 + i] = uint8_t(negative >> (8 * i));
    return flipped;
}
