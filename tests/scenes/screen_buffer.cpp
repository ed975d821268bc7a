#include "screen_buffer.h"

#include <cstdio>
#include <cstdlib>

bool ScreenBuffer::untouchedOutsideBand() const {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < pitch; ++x)
            if ((y < 64 || y > 415 || x >= width) && at(x, y) != marker)
                return false;
    return true;
}

void ScreenBuffer::saveForViewing(const std::string& name, unsigned long graphicsMode) const {
    const char* directory = std::getenv("SCENE_PICTURES");
    if (!directory)
        return;
    std::string ppm = std::string(directory) + "/" + name + ".ppm";
    FILE* file = std::fopen(ppm.c_str(), "wb");
    if (!file)
        return;
    std::fprintf(file, "P6 %d %d 255\n", width, height);
    bool mode555 = graphicsMode == 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned p = at(x, y);
            unsigned char rgb[3] = {
                static_cast<unsigned char>((mode555 ? p >> 10 & 31 : p >> 11 & 31) * 255 / 31),
                static_cast<unsigned char>(mode555 ? (p >> 5 & 31) * 255 / 31
                                                   : (p >> 5 & 63) * 255 / 63),
                static_cast<unsigned char>((p & 31) * 255 / 31)};
            std::fwrite(rgb, 1, 3, file);
        }
    std::fclose(file);
    std::string command = "convert '" + ppm + "' '" + directory + "/" + name + ".png'";
    if (std::system(command.c_str()) == 0)
        std::remove(ppm.c_str());
}
