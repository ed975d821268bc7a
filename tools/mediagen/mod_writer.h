#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mediagen {

constexpr int kChannels = 8;
constexpr int kRowsPerPattern = 64;
constexpr int kSampleSlots = 31;
constexpr int kMaxSampleBytes = 65534;

struct ModSample {
    std::string name;
    std::vector<int8_t> data; // even length
    int volume = 0;           // 0..64
    int loopStart = 0;        // in bytes, even; 0 = plays once
};

struct Cell {
    int sample = 0; // 0 = none
    int period = 0; // 0 = no note
    int effect = 0;
    int parameter = 0;
};

struct Pattern {
    std::array<std::array<Cell, kChannels>, kRowsPerPattern> rows{};
};

// An eight-channel module: the order table lists pattern numbers; the song simply ends after
// the last order position.
struct Module {
    std::string title;
    std::array<ModSample, kSampleSlots> samples;
    std::vector<Pattern> patterns;
    std::vector<int> order;
};

// The file: header with 31 sample records, order table, "8CHN", patterns, sample data.
std::vector<uint8_t> encodeMod(const Module& module);

} // namespace mediagen
