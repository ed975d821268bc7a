#pragma once

// Reads a module the way the demo's loader does: header, "8CHN", patterns counted from the
// file size, samples widened to 16 bits.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct ModuleSample {
    std::string name;
    uint32_t lengthBytes = 0;
    int finetune = 0;
    int volume = 0;
    uint32_t repeatOffsetBytes = 0;
    uint32_t repeatLengthBytes = 0;
    std::vector<int16_t> data; // file byte x 32
};

struct ModuleCell {
    int sample = 0;
    int period = 0;
    int effect = 0;
    int parameter = 0;
};

struct ModuleFile {
    std::string signature;
    int songLength = 0;
    std::array<int, 128> order{};
    std::array<ModuleSample, 31> samples;
    int patternCount = 0;
    std::vector<uint8_t> patternBytes;
    size_t fileSize = 0;

    // Row 0..63, channel 0..7 of a pattern, decoded as the player does.
    ModuleCell cell(int pattern, int row, int channel) const;
};

// Throws std::runtime_error when the file cannot be read or is shorter than its header.
ModuleFile readModuleFile(const std::string& path);
