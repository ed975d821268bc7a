// Test pictures made by ImageMagick during the run, from pixel values the tests choose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Grey levels, row after row, top row first.
struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> levels;
    uint8_t& at(int x, int y) { return levels[size_t(y) * width + x]; }
};

// Colours as red, green, blue, alpha, row after row, top row first.
struct ColourPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    void set(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
};

// Runs `convert` with the arguments; fails the current test when it does not succeed.
void runConvert(const std::string& arguments);
// Writes the picture as a PGM or PAM file that `convert` reads.
void writePgm(const std::string& path, const GreyPicture& picture);
void writePam(const std::string& path, const ColourPicture& picture);

std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

inline uint32_t littleEndian32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}
