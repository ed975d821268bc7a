// Wave files for the sound tests: sox wraps raw samples in a RIFF file, and the bytes of a
// file can be read and changed to make damaged ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct RawFormat {
    int rate;
    int bits; // 8 (unsigned) or 16 (signed)
    int channels;
};

// The bytes of little-endian 16-bit samples.
Bytes samplesToBytes(const std::vector<int16_t>& samples);

// Writes `path` as a WAV file made by sox from `raw` in `format`.
void writeWaveWithSox(const std::string& path, const Bytes& raw, RawFormat format);

Bytes readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const Bytes& bytes);

// Offset of the first chunk header with this identifier at the top level of the RIFF form.
size_t chunkOffset(const Bytes& riff, const char* id);
void putLittleEndian32(Bytes& bytes, size_t offset, uint32_t value);
