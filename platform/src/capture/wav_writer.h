// WAV files of what the sound device played: PCM, mono, 16-bit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace luma {

std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, uint32_t rate);

bool writeWav(const std::string& path, const std::vector<int16_t>& samples, uint32_t rate,
              std::string& problem);

} // namespace luma
