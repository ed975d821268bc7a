// Bitmap-font files written by ImageMagick: a strip of grey glyphs over a spacing row.
#pragma once

#include "magick.h"

#include <string>
#include <vector>

// Glyph rows of 32 grey levels 8 apart (more than 16, so the file keeps 8 bits per pixel;
// closer levels ImageMagick's palette reduction may merge)
// and, below them, a spacing row with a marker at each of `markers`.
GreyPicture fontPicture(int width, int glyphRows, const std::vector<int>& markers);

// Writes the picture as an uncompressed 8-bit BMP, stored bottom row first.
void writeFontBmp(const std::string& path, const GreyPicture& picture);

// The palette index that a BMP file stores for a grey level.
int paletteIndexOf(const std::vector<uint8_t>& bmp, uint8_t level);

// The same file with its rows stored top row first (negative height).
std::vector<uint8_t> storedTopFirst(const std::vector<uint8_t>& bmp);
