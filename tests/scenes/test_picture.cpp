#include "test_picture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

bool WriteTgaPicture(const std::string& tgaPath, int width, int height,
                     const std::function<Rgb(int x, int y)>& colourAt) {
    std::string ppmPath = tgaPath + ".ppm";
    {
        std::ofstream ppm(ppmPath, std::ios::binary);
        ppm << "P6\n" << width << " " << height << "\n255\n";
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                Rgb colour = colourAt(x, y);
                ppm.put(static_cast<char>(colour.red));
                ppm.put(static_cast<char>(colour.green));
                ppm.put(static_cast<char>(colour.blue));
            }
    }
    // This ImageMagick stores TGA rows top first but marks them bottom first unless the
    // orientation is given.
    std::string command = "convert '" + ppmPath +
                          "' -orient TopLeft -type TrueColor -depth 8 -compress None '" + tgaPath +
                          "'";
    bool made = std::system(command.c_str()) == 0;
    std::remove(ppmPath.c_str());
    return made;
}
