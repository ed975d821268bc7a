// PNG files of captured frames: 8-bit RGB, no interlace, deflated by zlib.
#pragma once

#include "capture/rgb_frame.h"

#include <string>

namespace luma {

std::vector<uint8_t> encodePng(const RgbFrame& frame);

bool writePng(const std::string& path, const RgbFrame& frame, std::string& problem);

} // namespace luma
