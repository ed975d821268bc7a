#include "capture/wav_writer.h"

#include "capture/file_output.h"

namespace luma {

namespace {

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Byte by byte: GCC 12 takes a four-byte insert after reserve() for an overflow.
void putTag(std::vector<uint8_t>& out, const char tag[4]) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

} // namespace

std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, uint32_t rate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putLittleEndian(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 1, 2); // mono
    putLittleEndian(out, rate, 4);
    putLittleEndian(out, rate * 2, 4); // bytes per second
    putLittleEndian(out, 2, 2);        // bytes per frame
    putLittleEndian(out, 16, 2);
    putTag(out, "data");
    putLittleEndian(out, dataBytes, 4);
    for (int16_t sample : samples)
        putLittleEndian(out, static_cast<uint16_t>(sample), 2);
    return out;
}

bool writeWav(const std::string& path, const std::vector<int16_t>& samples, uint32_t rate,
              std::string& problem) {
    // The RIFF sizes are 32-bit: about 13 hours of sound at 44100 Hz.
    if (samples.size() > (0xFFFFFFFFull - 36) / 2) {
        problem = "cannot write " + path + ": the sound is too long for a WAV file";
        return false;
    }
    return writeFileAtomically(path, encodeWav(samples, rate), problem);
}

} // namespace luma
