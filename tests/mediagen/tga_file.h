#pragma once

// Reads a TGA as the engine's image loader accepts it: uncompressed true colour (type 2),
// 24 or 32 bits, alpha bits 0 or 8 in the descriptor, rows top-first or bottom-first.

#include <cstdint>
#include <string>
#include <vector>

struct TgaPixel {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct TgaFile {
    int colorMapType = 0;
    int imageType = 0;
    int width = 0;
    int height = 0;
    int depth = 0;
    int alphaBits = 0;
    bool topRowFirst = false;
    std::vector<TgaPixel> pixels; // top row first
    const TgaPixel& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Throws std::runtime_error for a file the engine would reject or that is cut short.
TgaFile readTgaFile(const std::string& path);
