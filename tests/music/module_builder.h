// Writes small eight-channel modules for the music tests, byte by byte as trackers do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestSample {
    std::vector<int8_t> data;
    int volume = 64;
    int repeatOffsetBytes = 0;
    int repeatLengthBytes = 2;
};

struct TestCell {
    int sample = 0;
    int period = 0;
    int effect = 0;
    int parameter = 0;
};

class ModuleBuilder {
public:
    ModuleBuilder();

    ModuleBuilder& signature(const std::string& fourCharacters);
    ModuleBuilder& songLength(int positions);
    ModuleBuilder& order(int position, int pattern);
    ModuleBuilder& patterns(int count);
    ModuleBuilder& sample(int number, const TestSample& sample);
    ModuleBuilder& cell(int pattern, int row, int channel, const TestCell& cell);
    ModuleBuilder& trailingBytes(int count);

    std::vector<uint8_t> bytes() const;
    void write(const std::string& path) const;

private:
    std::string signatureText = "8CHN";
    int length = 1;
    std::vector<int> orderTable;
    std::vector<std::vector<uint8_t>> patternBlocks;
    std::vector<TestSample> samples;
    int trailing = 0;
};
