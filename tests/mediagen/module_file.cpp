#include "module_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {
uint32_t wordsToBytes(const std::vector<uint8_t>& file, size_t offset) {
    return static_cast<uint16_t>(((file[offset] << 8) | file[offset + 1]) * 2);
}
} // namespace

ModuleCell ModuleFile::cell(int pattern, int row, int channel) const {
    size_t at = static_cast<size_t>(pattern) * 2048 + (static_cast<size_t>(row) * 8 + channel) * 4;
    uint32_t word = patternBytes[at] | (patternBytes[at + 1] << 8) | (patternBytes[at + 2] << 16) |
                    (static_cast<uint32_t>(patternBytes[at + 3]) << 24);
    uint8_t b0 = word & 255, b1 = (word >> 8) & 255, b2 = (word >> 16) & 255, b3 = word >> 24;
    return {(b0 & 0xF0) | (b2 >> 4), ((b0 & 0x0F) << 8) | b1, b2 & 0x0F, b3};
}

ModuleFile readModuleFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (file.size() < 1084)
        throw std::runtime_error(path + " is shorter than a module header");
    ModuleFile m;
    m.fileSize = file.size();
    m.signature.assign(file.begin() + 1080, file.begin() + 1084);
    m.songLength = file[950];
    for (int i = 0; i < 128; ++i)
        m.order[i] = file[952 + i];
    size_t sampleBytes = 0;
    for (int s = 0; s < 31; ++s) {
        size_t record = 20 + s * 30;
        ModuleSample& sample = m.samples[s];
        sample.name.assign(file.begin() + record, file.begin() + record + 22);
        sample.name = sample.name.c_str();
        sample.lengthBytes = wordsToBytes(file, record + 22);
        sample.finetune = file[record + 24];
        sample.volume = file[record + 25];
        sample.repeatOffsetBytes = wordsToBytes(file, record + 26);
        sample.repeatLengthBytes = wordsToBytes(file, record + 28);
        sampleBytes += sample.lengthBytes;
    }
    if (file.size() < 1084 + sampleBytes)
        throw std::runtime_error(path + " is shorter than its samples");
    m.patternCount = static_cast<int>((file.size() - 1084 - sampleBytes) / 2048);
    m.patternBytes.assign(file.begin() + 1084,
                          file.begin() + 1084 + static_cast<size_t>(m.patternCount) * 2048);
    size_t at = 1084 + static_cast<size_t>(m.patternCount) * 2048;
    for (ModuleSample& sample : m.samples) {
        for (uint32_t i = 0; i < sample.lengthBytes; ++i)
            sample.data.push_back(static_cast<int16_t>(static_cast<int8_t>(file[at + i]) * 32));
        at += sample.lengthBytes;
    }
    return m;
}
