#include "texture_plane.h"

#include <TBitmap.h>

#include <algorithm>
#include <cstring>

const unsigned short* TexturePlane(const TBitmap* texture, unsigned short* fallback) {
    if (texture && texture->rgbData &&
        static_cast<unsigned long long>(texture->width) * texture->height >= texturePixels)
        return texture->rgbData;
    std::memset(fallback, 0, texturePixels * sizeof(unsigned short));
    if (texture && texture->rgbData) {
        unsigned int columns = std::min(texture->width, 256u);
        unsigned int rows = std::min(texture->height, 256u);
        for (unsigned int row = 0; row < rows; row++)
            std::memcpy(fallback + row * 256, texture->rgbData + row * texture->width,
                        columns * sizeof(unsigned short));
    }
    return fallback;
}
