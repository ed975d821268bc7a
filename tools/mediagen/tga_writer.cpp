#include "tga_writer.h"

#include <cmath>

namespace mediagen {

namespace {
constexpr uint8_t kTrueColor = 2;
constexpr uint8_t kTopRowFirst = 0x20;
constexpr uint8_t kEightAlphaBits = 8;

void putLittle16(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 255));
    out.push_back(static_cast<uint8_t>((value >> 8) & 255));
}
} // namespace

uint8_t toByte(float channel) {
    return static_cast<uint8_t>(std::lround(clamp01(channel) * 255.0f));
}

std::vector<uint8_t> encodeTga(const Image& image) {
    const int depth = image.hasAlpha ? 32 : 24;
    std::vector<uint8_t> out;
    out.reserve(18 + static_cast<size_t>(image.width) * image.height * depth / 8);
    out.push_back(0); // no image ID
    out.push_back(0); // no colour map
    out.push_back(kTrueColor);
    out.insert(out.end(), 5, 0); // colour-map fields, unused
    putLittle16(out, 0);         // x origin
    putLittle16(out, 0);         // y origin
    putLittle16(out, image.width);
    putLittle16(out, image.height);
    out.push_back(static_cast<uint8_t>(depth));
    out.push_back(kTopRowFirst | (image.hasAlpha ? kEightAlphaBits : 0));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& c = image.at(x, y);
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
            if (image.hasAlpha)
                out.push_back(toByte(image.alpha[static_cast<size_t>(y) * image.width + x]));
        }
    }
    return out;
}

} // namespace mediagen
