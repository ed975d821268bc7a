// Pictures for the scenes' tests: drawn here as a PPM file, made into the scenes' 24-bit
// uncompressed TGA by ImageMagick, as the demo's media are.
#pragma once

#include <functional>
#include <string>

struct Rgb {
    unsigned char red, green, blue;
};

// Writes tgaPath; false when ImageMagick failed.
bool WriteTgaPicture(const std::string& tgaPath, int width, int height,
                     const std::function<Rgb(int x, int y)>& colourAt);
