#include "capture/png_writer.h"

#include "capture/file_output.h"

#include <zlib.h>

namespace luma {

namespace {

void putBigEndian(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value >> 24));
    out.push_back(static_cast<uint8_t>(value >> 16));
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

// Length, type, data, and the CRC of type and data.
void putChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    putBigEndian(out, static_cast<uint32_t>(data.size()));
    size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    putBigEndian(out, static_cast<uint32_t>(crc));
}

// Each row after a filter byte of 0: demo frames compress well enough without filters, and
// a whole demo's frames are written in reasonable time.
std::vector<uint8_t> compressedRows(const RgbFrame& frame) {
    size_t rowBytes = static_cast<size_t>(frame.width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * frame.height);
    for (int y = 0; y < frame.height; ++y) {
        raw.push_back(0);
        const uint8_t* row = frame.bytes.data() + rowBytes * y;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(size);
    compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_SPEED);
    packed.resize(size);
    return packed;
}

} // namespace

std::vector<uint8_t> encodePng(const RgbFrame& frame) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> out(signature, signature + 8);
    std::vector<uint8_t> header;
    putBigEndian(header, static_cast<uint32_t>(frame.width));
    putBigEndian(header, static_cast<uint32_t>(frame.height));
    header.insert(header.end(),
                  {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter set, no interlace
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", compressedRows(frame));
    putChunk(out, "IEND", {});
    return out;
}

bool writePng(const std::string& path, const RgbFrame& frame, std::string& problem) {
    return writeFileAtomically(path, encodePng(frame), problem);
}

} // namespace luma
