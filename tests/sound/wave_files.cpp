#include "wave_files.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

Bytes samplesToBytes(const std::vector<int16_t>& samples) {
    Bytes bytes;
    for (int16_t sample : samples) {
        uint16_t word = static_cast<uint16_t>(sample);
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>(word >> 8));
    }
    return bytes;
}

void writeWaveWithSox(const std::string& path, const Bytes& raw, RawFormat format) {
    std::string rawPath = path + ".raw";
    writeFileBytes(rawPath, raw);
    std::string command = "sox -t raw -r " + std::to_string(format.rate) + " -e " +
                          (format.bits == 8 ? "unsigned" : "signed") + " -b " +
                          std::to_string(format.bits) + " -c " + std::to_string(format.channels) +
                          " '" + rawPath + "' '" + path + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("sox failed: " + command);
    std::remove(rawPath.c_str());
}

Bytes readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

size_t chunkOffset(const Bytes& riff, const char* id) {
    size_t at = 12;
    while (at + 8 <= riff.size()) {
        if (std::memcmp(&riff[at], id, 4) == 0)
            return at;
        uint32_t size = riff[at + 4] | riff[at + 5] << 8 | riff[at + 6] << 16 |
                        static_cast<uint32_t>(riff[at + 7]) << 24;
        at += 8 + size + (size & 1);
    }
    throw std::runtime_error(std::string("no chunk ") + id);
}

void putLittleEndian32(Bytes& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}
