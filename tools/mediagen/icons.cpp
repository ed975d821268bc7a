// The program's icon: the moonlit corner of the key picture (moon, aurora, waterfall),
// scaled down by area and cut to a rounded square.
#include "icons.h"

#include "pictures.h"
#include "tga_writer.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace mediagen {

namespace {

constexpr int kSizes[] = {64, 128, 256};
// The square at the key picture's top right: landscape only, clear of the strips on its left.
constexpr int kCropSize = 288;

// Each output pixel averages the source area it covers, partly covered pixels by their share.
Image scaleDown(const Image& source, int left, int top, int size) {
    Image out(size, size, true);
    const double step = static_cast<double>(kCropSize) / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double y0 = y * step, y1 = y0 + step, x0 = x * step, x1 = x0 + step;
            double r = 0, g = 0, b = 0, area = 0;
            for (int sy = static_cast<int>(y0); sy < static_cast<int>(std::ceil(y1)); ++sy) {
                double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                for (int sx = static_cast<int>(x0); sx < static_cast<int>(std::ceil(x1)); ++sx) {
                    double w = wy * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
                    const Rgb& c = source.at(left + sx, top + sy);
                    r += c.r * w;
                    g += c.g * w;
                    b += c.b * w;
                    area += w;
                }
            }
            out.at(x, y) = {static_cast<float>(r / area), static_cast<float>(g / area),
                            static_cast<float>(b / area)};
        }
    }
    return out;
}

// Coverage of a rounded square with corner radius size / 8, sampled 4 x 4 per pixel.
void roundCorners(Image& icon) {
    const float radius = icon.width / 8.0f;
    for (int y = 0; y < icon.height; ++y) {
        for (int x = 0; x < icon.width; ++x) {
            int inside = 0;
            for (int s = 0; s < 16; ++s) {
                float px = x + (s % 4 + 0.5f) / 4, py = y + (s / 4 + 0.5f) / 4;
                float dx = std::max({radius - px, px - (icon.width - radius), 0.0f});
                float dy = std::max({radius - py, py - (icon.height - radius), 0.0f});
                inside += dx * dx + dy * dy <= radius * radius;
            }
            icon.alphaAt(x, y) = inside / 16.0f;
        }
    }
}

void putBig32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putBig32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    putBig32(out, static_cast<uint32_t>(crc));
}

// 8-bit RGBA, every row unfiltered, deflated by zlib.
std::vector<uint8_t> encodePng(const Image& image) {
    std::vector<uint8_t> rows;
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const Rgb& c = image.at(x, y);
            rows.insert(rows.end(), {toByte(c.r), toByte(c.g), toByte(c.b),
                                     toByte(image.alpha[y * image.width + x])});
        }
    }
    std::vector<uint8_t> packed(compressBound(static_cast<uLong>(rows.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot deflate the icon");
    packed.resize(packedSize);

    std::vector<uint8_t> header;
    putBig32(header, static_cast<uint32_t>(image.width));
    putBig32(header, static_cast<uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", packed);
    putChunk(out, "IEND", {});
    return out;
}

} // namespace

void writeIcons(const std::string& dir) {
    const Image picture = makeEllePicture();
    const int left = picture.width - kCropSize;
    for (int size : kSizes) {
        Image icon = scaleDown(picture, left, 0, size);
        roundCorners(icon);
        std::vector<uint8_t> png = encodePng(icon);
        std::string folder =
            dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(folder);
        std::ofstream out(folder + "/glimmerfall.png", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        if (!out)
            throw std::runtime_error("cannot write " + folder + "/glimmerfall.png");
    }
}

} // namespace mediagen
