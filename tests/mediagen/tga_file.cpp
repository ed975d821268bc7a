#include "tga_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

TgaFile readTgaFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (file.size() < 18)
        throw std::runtime_error(path + ": no TGA header");
    TgaFile t;
    t.colorMapType = file[1];
    t.imageType = file[2];
    t.width = file[12] | (file[13] << 8);
    t.height = file[14] | (file[15] << 8);
    t.depth = file[16];
    t.alphaBits = file[17] & 0x0F;
    t.topRowFirst = (file[17] & 0x20) != 0;
    if (t.colorMapType == 1 || t.imageType != 2)
        throw std::runtime_error(path + ": not uncompressed true colour");
    if (t.depth != 24 && t.depth != 32)
        throw std::runtime_error(path + ": depth is neither 24 nor 32");
    if (t.alphaBits == 8 && t.depth != 32)
        throw std::runtime_error(path + ": alpha needs 32 bits");
    const size_t bytesPerPixel = t.depth / 8;
    const size_t start = 18 + file[0];
    if (file.size() < start + bytesPerPixel * t.width * t.height)
        throw std::runtime_error(path + ": pixel data cut short");
    t.pixels.resize(static_cast<size_t>(t.width) * t.height);
    for (int stored = 0; stored < t.height; ++stored) {
        int y = t.topRowFirst ? stored : t.height - 1 - stored;
        for (int x = 0; x < t.width; ++x) {
            const uint8_t* p =
                &file[start + (static_cast<size_t>(stored) * t.width + x) * bytesPerPixel];
            TgaPixel& px = t.pixels[static_cast<size_t>(y) * t.width + x];
            px.b = p[0];
            px.g = p[1];
            px.r = p[2];
            px.a = (t.alphaBits == 8) ? p[3] : 255;
        }
    }
    return t;
}
