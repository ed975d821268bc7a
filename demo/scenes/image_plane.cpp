#include "image_plane.h"

#include <TBitmap.h>

#include <algorithm>
#include <cstring>

unsigned short* ImagePlane(TBitmap* image, unsigned int width, unsigned int rows,
                           unsigned short* copy) {
    if (image && image->rgbData && image->width == width && image->height >= rows)
        return image->rgbData;
    std::memset(copy, 0, static_cast<size_t>(width) * rows * sizeof(unsigned short));
    if (image && image->rgbData) {
        unsigned int columns = std::min(image->width, width);
        unsigned int rowsHeld = std::min(image->height, rows);
        for (unsigned int row = 0; row < rowsHeld; row++)
            std::memcpy(copy + static_cast<size_t>(row) * width,
                        image->rgbData + static_cast<size_t>(row) * image->width,
                        columns * sizeof(unsigned short));
    }
    return copy;
}
