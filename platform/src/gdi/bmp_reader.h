// Windows bitmap files: uncompressed 1, 4, 8, 24 and 32 bits per pixel.
#pragma once

#include "gdi/gdi_objects.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace luma {

// Null for anything else: another format, compression, a damaged or truncated file,
// or a picture too large to hold. Never reads outside `file`.
std::unique_ptr<Bitmap> readBmp(const std::vector<uint8_t>& file);

} // namespace luma
