#include "mod_writer.h"

#include <stdexcept>

namespace mediagen {

namespace {
constexpr int kTitleBytes = 20;
constexpr int kSampleNameBytes = 22;
constexpr int kOrderSlots = 128;

void putText(std::vector<uint8_t>& out, const std::string& text, int size) {
    for (int i = 0; i < size; ++i)
        out.push_back(i < static_cast<int>(text.size()) ? static_cast<uint8_t>(text[i]) : 0);
}

void putBigEndianWords(std::vector<uint8_t>& out, size_t bytes) {
    size_t words = bytes / 2;
    out.push_back(static_cast<uint8_t>(words >> 8));
    out.push_back(static_cast<uint8_t>(words & 255));
}

void checkSample(const ModSample& s) {
    if (s.data.size() % 2 || s.data.size() > kMaxSampleBytes)
        throw std::runtime_error("sample " + s.name + " has an odd or too large length");
    if (s.volume < 0 || s.volume > 64)
        throw std::runtime_error("sample " + s.name + " has a volume outside 0..64");
    if (s.loopStart % 2 || s.loopStart < 0 ||
        (s.loopStart && s.loopStart >= static_cast<int>(s.data.size())))
        throw std::runtime_error("sample " + s.name + " has a bad loop start");
}

void putSampleRecord(std::vector<uint8_t>& out, const ModSample& s) {
    checkSample(s);
    putText(out, s.name, kSampleNameBytes);
    putBigEndianWords(out, s.data.size());
    out.push_back(0); // finetune
    out.push_back(static_cast<uint8_t>(s.volume));
    if (s.loopStart) {
        putBigEndianWords(out, s.loopStart);
        putBigEndianWords(out, s.data.size() - s.loopStart);
    } else {
        putBigEndianWords(out, 0);
        putBigEndianWords(out, 2); // the customary one-word "no loop"
    }
}

void putCell(std::vector<uint8_t>& out, const Cell& c) {
    out.push_back(static_cast<uint8_t>((c.sample & 0xF0) | ((c.period >> 8) & 0x0F)));
    out.push_back(static_cast<uint8_t>(c.period & 0xFF));
    out.push_back(static_cast<uint8_t>(((c.sample & 0x0F) << 4) | (c.effect & 0x0F)));
    out.push_back(static_cast<uint8_t>(c.parameter));
}
} // namespace

std::vector<uint8_t> encodeMod(const Module& module) {
    if (module.order.empty() || module.order.size() > kOrderSlots)
        throw std::runtime_error("the order table must hold 1 to 128 positions");
    std::vector<uint8_t> out;
    putText(out, module.title, kTitleBytes);
    for (const ModSample& s : module.samples)
        putSampleRecord(out, s);
    out.push_back(static_cast<uint8_t>(module.order.size()));
    out.push_back(0); // restart position
    for (int i = 0; i < kOrderSlots; ++i)
        out.push_back(
            static_cast<uint8_t>(i < static_cast<int>(module.order.size()) ? module.order[i] : 0));
    putText(out, "8CHN", 4);
    for (const Pattern& p : module.patterns)
        for (const auto& row : p.rows)
            for (const Cell& c : row)
                putCell(out, c);
    for (const ModSample& s : module.samples)
        for (int8_t v : s.data)
            out.push_back(static_cast<uint8_t>(v));
    return out;
}

} // namespace mediagen
