#include "module_builder.h"

#include <fstream>

namespace {

void putBigEndianWord(std::vector<uint8_t>& out, size_t at, int value) {
    out[at] = static_cast<uint8_t>(value >> 8);
    out[at + 1] = static_cast<uint8_t>(value & 0xFF);
}

} // namespace

ModuleBuilder::ModuleBuilder()
    : orderTable(128, 0), patternBlocks(1, std::vector<uint8_t>(2048)), samples(31) {}

ModuleBuilder& ModuleBuilder::signature(const std::string& fourCharacters) {
    signatureText = fourCharacters;
    return *this;
}

ModuleBuilder& ModuleBuilder::songLength(int positions) {
    length = positions;
    return *this;
}

ModuleBuilder& ModuleBuilder::order(int position, int pattern) {
    orderTable[position] = pattern;
    return *this;
}

ModuleBuilder& ModuleBuilder::patterns(int count) {
    patternBlocks.resize(count, std::vector<uint8_t>(2048));
    return *this;
}

ModuleBuilder& ModuleBuilder::sample(int number, const TestSample& sample) {
    samples[number - 1] = sample;
    return *this;
}

ModuleBuilder& ModuleBuilder::cell(int pattern, int row, int channel, const TestCell& cell) {
    std::vector<uint8_t>& block = patternBlocks[pattern];
    size_t at = static_cast<size_t>((row * 8 + channel) * 4);
    block[at] = static_cast<uint8_t>((cell.sample & 0xF0) | ((cell.period >> 8) & 0x0F));
    block[at + 1] = static_cast<uint8_t>(cell.period & 0xFF);
    block[at + 2] = static_cast<uint8_t>(((cell.sample & 0x0F) << 4) | (cell.effect & 0x0F));
    block[at + 3] = static_cast<uint8_t>(cell.parameter);
    return *this;
}

ModuleBuilder& ModuleBuilder::trailingBytes(int count) {
    trailing = count;
    return *this;
}

std::vector<uint8_t> ModuleBuilder::bytes() const {
    std::vector<uint8_t> out(1084, 0);
    const std::string title = "test module";
    std::copy(title.begin(), title.end(), out.begin());
    for (int i = 0; i < 31; ++i) {
        size_t record = 20 + static_cast<size_t>(i) * 30;
        const TestSample& sample = samples[i];
        putBigEndianWord(out, record + 22, static_cast<int>(sample.data.size() / 2));
        out[record + 25] = static_cast<uint8_t>(sample.volume);
        putBigEndianWord(out, record + 26, sample.repeatOffsetBytes / 2);
        putBigEndianWord(out, record + 28, sample.repeatLengthBytes / 2);
    }
    out[950] = static_cast<uint8_t>(length);
    out[951] = 0;
    for (int i = 0; i < 128; ++i)
        out[952 + i] = static_cast<uint8_t>(orderTable[i]);
    for (int i = 0; i < 4; ++i)
        out[1080 + i] = static_cast<uint8_t>(signatureText[i]);
    for (const auto& block : patternBlocks)
        out.insert(out.end(), block.begin(), block.end());
    for (const TestSample& sample : samples)
        for (int8_t value : sample.data)
            out.push_back(static_cast<uint8_t>(value));
    out.insert(out.end(), static_cast<size_t>(trailing), 0x55);
    return out;
}

void ModuleBuilder::write(const std::string& path) const {
    std::vector<uint8_t> data = bytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
}
