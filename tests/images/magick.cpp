#include "magick.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

void ColourPicture::set(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    size_t at = (size_t(y) * width + x) * 4;
    rgba[at] = r;
    rgba[at + 1] = g;
    rgba[at + 2] = b;
    rgba[at + 3] = a;
}

void runConvert(const std::string& arguments) {
    std::string command = "convert " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void writePgm(const std::string& path, const GreyPicture& picture) {
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << picture.width << " " << picture.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(picture.levels.data()),
              std::streamsize(picture.levels.size()));
}

void writePam(const std::string& path, const ColourPicture& picture) {
    std::ofstream out(path, std::ios::binary);
    out << "P7\nWIDTH " << picture.width << "\nHEIGHT " << picture.height
        << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    out.write(reinterpret_cast<const char*>(picture.rgba.data()),
              std::streamsize(picture.rgba.size()));
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
