#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 16-bit mono PCM as a RIFF WAVE file; returns false when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<int16_t>& samples, int rate);
