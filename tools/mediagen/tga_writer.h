#pragma once

#include "image.h"

#include <cstdint>
#include <vector>

namespace mediagen {

// Uncompressed true-colour TGA (type 2), rows stored top row first. Images with an alpha
// plane become 32-bit files with 8 alpha bits, the others 24-bit files.
std::vector<uint8_t> encodeTga(const Image& image);

// Rounds a 0..1 channel to a byte.
uint8_t toByte(float channel);

} // namespace mediagen
