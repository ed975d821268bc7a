// A 640 x 480 screen of 16-bit pixels with a padded pitch, for calling scene renderers on,
// filled with a marker value so that untouched pixels can be told apart.
#pragma once

#include <string>
#include <vector>

class ScreenBuffer {
public:
    static constexpr int width = 640;
    static constexpr int height = 480;
    static constexpr int pitch = 700;
    static constexpr unsigned short marker = 0xA5C3;

    ScreenBuffer() : pixels(pitch * height, marker) {}

    unsigned short* data() { return pixels.data(); }
    unsigned short at(int x, int y) const { return pixels[y * pitch + x]; }
    const unsigned short* row(int y) const { return pixels.data() + y * pitch; }
    // True when every pixel outside rows 64 to 415 and every pitch padding pixel still
    // holds the marker.
    bool untouchedOutsideBand() const;
    // Writes the screen as a PNG (through a PPM and ImageMagick) when SCENE_PICTURES names a
    // directory, for looking at a scene by eye.
    void saveForViewing(const std::string& name, unsigned long graphicsMode) const;

private:
    std::vector<unsigned short> pixels;
};
